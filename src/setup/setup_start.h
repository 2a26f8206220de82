#pragma once
// What the setup page's Start button does: prepare the link, take the address, run the builder
// of the chosen menu item (with its dialog or question) and send, or send nothing.
#include "setup/request.h"
#include "setup/setup_attach.h"

namespace orv {

class SetupStart {
public:
    SetupStart(SetupPage &page, TransactionEngine &engine, const SetupDialogs &dialogs);

    // Button1Click; also the repetition of a command while attempts remain.
    void Run();

private:
    void RunBuilder(int item);
    void ReadVariables();
    void WritePollingAddress();
    void WriteAveraging();
    void Confirmed(std::uint8_t command, const Request &request);
    void FixCurrent();
    void Load(const Request &request);
    void Load(const BuiltRequest &built);
    void Suppress();
    void StopWithoutSending();

    SetupPage &page_;
    TransactionEngine &engine_;
    SetupDialogs dialogs_;
};

} // namespace orv
