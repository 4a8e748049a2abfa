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
        image.width < 1 || image.width > 256 || image.height < 1 || image.height > 256) {
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
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(w));
    Put32(out, static_cast<std::uint32_t>(2 * h));
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);
    Put32(out, static_cast<std::uint32_t>((w * 4 + maskRow) * h));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);

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
    std::vector<unsigned char> out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(images.size()));
    auto offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<unsigned char>(images[i].width == 256 ? 0 : images[i].width));
        out.push_back(static_cast<unsigned char>(images[i].height == 256 ? 0 : images[i].height));
        out.push_back(0);
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, static_cast<std::uint32_t>(encoded[i].size()));
        Put32(out, offset);
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
