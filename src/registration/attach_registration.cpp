#include "registration/attach_registration.h"

#include "link/transaction_engine.h"
#include "registration/registration_page.h"
#include "setup/setup_page.h"

#include <type_traits>
#include <utility>

namespace orv {

namespace {

// The setup page's Start resets the attempts of every slot through its ResetSlotAttempts
// callback; a setup page without that member has nothing to connect.
template <typename Page, typename = void>
struct HasSlotAttemptReset : std::false_type {};
template <typename Page>
struct HasSlotAttemptReset<Page, std::void_t<decltype(std::declval<Page &>().ResetSlotAttempts)>>
    : std::true_type {};

template <typename Page>
void ConnectSlotAttemptReset(Page &setupPage, RegistrationPage &page)
{
    if constexpr (HasSlotAttemptReset<Page>::value)
        setupPage.ResetSlotAttempts = [&page] { page.ResetSlotAttempts(); };
}

} // namespace

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
    ConnectSlotAttemptReset(setupPage, page);
}

} // namespace orv
