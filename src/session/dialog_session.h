// The dialog on the dialog model: the controls, the one Controller, and the
// user's acts (clicks, notifications, typing in the rows window). The Qt window
// and kupongen-headless both drive the program through this class, so they
// share every rule of the dialog manager.
#pragma once

#include "controller.h"
#include "dialog_model.h"

#include <chrono>
#include <memory>
#include <string>

namespace kupongen {

class DialogSession {
public:
    // Creates the controls in their template state, then the Controller (the
    // dialog's initialisation), whose rows-window updates go by clock.
    explicit DialogSession(DialogHooks hooks = {},
                           UpdatePace::Clock clock = std::chrono::steady_clock::now);
    ~DialogSession();

    DialogSession(const DialogSession&) = delete;
    DialogSession& operator=(const DialogSession&) = delete;

    DialogModel& Model() { return model_; }
    const DialogModel& Model() const { return model_; }

    // Whether a user can click the control: a visible, enabled push button,
    // check box or radio button.
    bool IsClickable(int controlId) const;

    // A user's click: the control's own automatic change, then Command with
    // code 0. Returns false, changing nothing, when the control is not
    // clickable.
    bool Click(int controlId);

    // A command notification with no automatic change.
    void Notify(int controlId, int code);

    // The user's typing in the rows window: replaces its whole text.
    void TypeRowsText(std::string_view ansiText);

    // Closing the window: the Controller goes, the controls stay as they are
    // and no further command reaches anything.
    void Close();
    bool IsOpen() const { return controller_ != nullptr; }

private:
    DialogModel model_;
    std::unique_ptr<Controller> controller_;
};

} // namespace kupongen
