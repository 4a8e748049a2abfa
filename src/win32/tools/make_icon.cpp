// Writes a Windows icon file holding one 32-bit image with alpha for each PAM
// image given (as ImageMagick writes them), so the system can pick the size
// it draws at. Runs on the build machine.
#include <cstdint>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

// The largest icon image; its width and height are stored as 0 in the
// directory's one byte each.
constexpr int kLargestSize = 256;

struct Image {
    int width = 0;
    int height = 0;
    int depth = 0; // samples per pixel: 1 grey, 2 grey and alpha, 3 RGB, 4 RGB and alpha
    std::vector<unsigned char> samples;
};

bool ReadPam(const std::string& path, Image& image, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    if (!std::getline(in, line) || line != "P7") {
        error = "not a PAM file";
        return false;
    }
    int maxValue = 0;
    while (std::getline(in, line) && line != "ENDHDR") {
        std::istringstream fields(line);
        std::string key;
        fields >> key;
        if (key == "WIDTH") {
            fields >> image.width;
        } else if (key == "HEIGHT") {
            fields >> image.height;
        } else if (key == "DEPTH") {
            fields >> image.depth;
        } else if (key == "MAXVAL") {
            fields >> maxValue;
        }
    }
    if (line != "ENDHDR" || maxValue != 255 || image.depth < 1 || image.depth > 4 ||
        image.width < 1 || image.width > kLargestSize || image.height < 1 ||
        image.height > kLargestSize) {
        error = "unsupported PAM header (want 8-bit samples, at most 256 x 256)";
        return false;
    }
    const auto size = static_cast<std::size_t>(image.width) *
                      static_cast<std::size_t>(image.height) *
                      static_cast<std::size_t>(image.depth);
    image.samples.resize(size);
    if (!in.read(reinterpret_cast<char*>(image.samples.data()),
                 static_cast<std::streamsize>(size))) {
        error = "PAM file too short";
        return false;
    }
    return true;
}

// Sizes and values of the icon file's headers.
constexpr std::uint32_t kInfoHeaderSize = 40; // BITMAPINFOHEADER
constexpr unsigned kPlanes = 1;
constexpr unsigned kBitsPerPixel = 32;
constexpr unsigned kIconResourceType = 1; // ICONDIR idType: an icon, not a cursor
constexpr std::uint32_t kDirectoryHeaderSize = 6;
constexpr std::uint32_t kDirectoryEntrySize = 16;
void Put16(std::vector<unsigned char>& out, unsigned value) {
    out.push_back(static_cast<unsigned char>(value & 0xFF));
    out.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
}

void Put32(std::vector<unsigned char>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// One icon image: BITMAPINFOHEADER (its height counts colour and mask), the
// colour rows bottom up as blue-green-red-alpha, then the AND mask, one bit
// per pixel, set where the pixel is transparent, rows padded to 4 bytes.
std::vector<unsigned char> IconImage(const Image& image) {
    const auto w = static_cast<std::size_t>(image.width);
    const auto h = static_cast<std::size_t>(image.height);
    const std::size_t maskRow = ((w + 31) / 32) * 4;

    std::vector<unsigned char> out;
    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<std::uint32_t>(w));     // biWidth
    Put32(out, static_cast<std::uint32_t>(2 * h)); // biHeight: colour and mask
    Put16(out, kPlanes);
    Put16(out, kBitsPerPixel);
    Put32(out, 0);                                                 // biCompression: BI_RGB
    Put32(out, static_cast<std::uint32_t>((w * 4 + maskRow) * h)); // biSizeImage
    Put32(out, 0);                                                 // biXPelsPerMeter
    Put32(out, 0);                                                 // biYPelsPerMeter
    Put32(out, 0);                                                 // biClrUsed
    Put32(out, 0);                                                 // biClrImportant

    std::vector<unsigned char> mask;
    for (std::size_t row = h; row-- > 0;) {
        std::vector<unsigned char> maskBits(maskRow, 0);
        for (std::size_t x = 0; x < w; ++x) {
            const unsigned char* p =
                &image.samples[(row * w + x) * static_cast<std::size_t>(image.depth)];
            const bool colour = image.depth >= 3;
            const unsigned char red = p[0];
            const unsigned char green = colour ? p[1] : p[0];
            const unsigned char blue = colour ? p[2] : p[0];
            const unsigned char alpha = image.depth == 4 ? p[3] : image.depth == 2 ? p[1] : 255;
            out.insert(out.end(), {blue, green, red, alpha});
            if (alpha == 0) {
                maskBits[x / 8] = static_cast<unsigned char>(maskBits[x / 8] | (0x80 >> (x % 8)));
            }
        }
        mask.insert(mask.end(), maskBits.begin(), maskBits.end());
    }
    out.insert(out.end(), mask.begin(), mask.end());
    return out;
}

// The icon directory, one entry per image, then the images.
std::vector<unsigned char> IconFile(const std::vector<Image>& images) {
    std::vector<std::vector<unsigned char>> encoded;
    for (const Image& image : images) {
        encoded.push_back(IconImage(image));
    }
    const auto directoryByte = [](int size) {
        return static_cast<unsigned char>(size == kLargestSize ? 0 : size);
    };
    std::vector<unsigned char> out;
    Put16(out, 0); // idReserved
    Put16(out, kIconResourceType);
    Put16(out, static_cast<unsigned>(images.size())); // idCount
    auto offset =
        static_cast<std::uint32_t>(kDirectoryHeaderSize + kDirectoryEntrySize * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.push_back(directoryByte(images[i].width));
        out.push_back(directoryByte(images[i].height));
        out.push_back(0); // bColorCount: not a palette image
        out.push_back(0); // bReserved
        Put16(out, kPlanes);
        Put16(out, kBitsPerPixel);
        Put32(out, static_cast<std::uint32_t>(encoded[i].size())); // dwBytesInRes
        Put32(out, offset);                                        // dwImageOffset
        offset += static_cast<std::uint32_t>(encoded[i].size());
    }
    for (const auto& image : encoded) {
        out.insert(out.end(), image.begin(), image.end());
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: make_icon IMAGE.pam... OUTPUT.ico\n";
        return 2;
    }
    std::vector<Image> images;
    for (int i = 1; i + 1 < argc; ++i) {
        Image image;
        std::string error;
        if (!ReadPam(argv[i], image, error)) {
            std::cerr << "make_icon: " << argv[i] << ": " << error << "\n";
            return 1;
        }
        images.push_back(std::move(image));
    }
    const char* output = argv[argc - 1];
    const std::vector<unsigned char> icon = IconFile(images);
    std::ofstream out(output, std::ios::binary);
    out.write(reinterpret_cast<const char*>(icon.data()),
              static_cast<std::streamsize>(icon.size()));
    out.close();
    if (!out) {
        std::cerr << "make_icon: cannot write " << output << "\n";
        return 1;
    }
    return 0;
}
