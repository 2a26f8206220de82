#pragma once
// What the setup page's Start button does: prepare the link, take the address, run the builder
// of the chosen menu item (with its dialog or question) and send, or send nothing.
#include "setup/request.h"
#include "setup/setup_attach.h"

#include <optional>

namespace orv {

class SetupStart {
public:
    SetupStart(SetupPage &page, TransactionEngine &engine, const SetupDialogs &dialogs);

    // Button1Click; also the repetition of a command while attempts remain.
    void Run();

private:
    // The request of a menu item, after its dialog or question; none when nothing is to be sent.
    std::optional<Request> RunBuilder(int item);
    std::optional<Request> ReadVariables();
    std::optional<Request> WritePollingAddress();
    std::optional<Request> WriteAveraging();
    std::optional<Request> FixCurrent();
    // A refused text is shown to the user; nothing is sent.
    std::optional<Request> Checked(const BuiltRequest &built);
    void StopWithoutSending();

    SetupPage &page_;
    TransactionEngine &engine_;
    SetupDialogs dialogs_;
};

} // namespace orv
