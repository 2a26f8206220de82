#include "registration/attach_registration.h"

#include "link/transaction_engine.h"
#include "registration/registration_page.h"
#include "setup/setup_page.h"

#include <utility>

namespace orv {

void AttachRegistrationPage(RegistrationPage &page, TransactionEngine &engine, PortOperations &port,
                            const LinkSettings &settings, TForm5 &variables, TPerezap_File &overwritePrompt,
                            SetupPage &setupPage, std::function<void(const QString &text)> messageSink)
{
    RegistrationPage::Links links;
    links.engine = &engine;
    links.port = &port;
    links.settings = &settings;
    links.variables = &variables;
    links.overwritePrompt = &overwritePrompt;
    links.trace = [&setupPage](const QString &line) { setupPage.AppendTrace(line); };
    page.SetLinks(links);
    page.SetMessageSink(std::move(messageSink));

    for (std::uint8_t command : {std::uint8_t{1}, std::uint8_t{3}, std::uint8_t{33}})
        engine.SetRegistrationDecoder(command, [&page](const ResponseView &answer) { page.RegistrationAnswer(answer); });
    engine.Hooks().registrationTimeout = [&page](int slot) { page.RegistrationTimeout(slot); };
    engine.Hooks().refreshStatusLamps = [&page] { page.RefreshStatusLamps(); };
    // The setup page's Start sets every slot's attempt number back to 1.
    setupPage.ResetSlotAttempts = [&page] { page.ResetSlotAttempts(); };
}

} // namespace orv
