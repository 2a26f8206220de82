#pragma once
// Start-up wiring of the registration page: its links to the engine, the port, the link times,
// the variables dialog, the overwrite prompt and the trace log, its decoders and hooks in the
// engine, and the setup page's reset of the slot attempts.
#include <QString>

#include <functional>
#include <type_traits>
#include <utility>

namespace orv {

class PortOperations;
class RegistrationPage;
class SetupPage;
class TForm5;
class TPerezap_File;
class TransactionEngine;
struct LinkSettings;

// The setup page's Start resets the attempts of every slot through its ResetSlotAttempts
// callback (std::function<void()>); a setup page without that member has nothing to connect.
template <typename Page, typename = void>
struct HasSlotAttemptReset : std::false_type {};
template <typename Page>
struct HasSlotAttemptReset<Page, std::void_t<decltype(std::declval<Page &>().ResetSlotAttempts)>> : std::true_type {};

template <typename Page, typename Registration>
bool ConnectSlotAttemptReset(Page &setupPage, Registration &page)
{
    if constexpr (HasSlotAttemptReset<Page>::value) {
        setupPage.ResetSlotAttempts = [&page] { page.ResetSlotAttempts(); };
        return true;
    } else {
        (void)setupPage;
        (void)page;
        return false;
    }
}

void AttachRegistrationPage(RegistrationPage &page, TransactionEngine &engine, PortOperations &port,
                            const LinkSettings &settings, TForm5 &variables, TPerezap_File &overwritePrompt,
                            SetupPage &setupPage, std::function<void(const QString &text)> messageSink);

} // namespace orv
