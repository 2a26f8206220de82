#pragma once
// Start-up wiring of the registration page: its links to the engine, the port, the link times,
// the variables dialog, the overwrite prompt and the trace log, its decoders and hooks in the
// engine, and the setup page's reset of the slot attempts.
#include <QString>

#include <functional>

namespace orv {

class PortOperations;
class RegistrationPage;
class SetupPage;
class TForm5;
class TPerezap_File;
class TransactionEngine;
struct LinkSettings;

void AttachRegistrationPage(RegistrationPage &page, TransactionEngine &engine, PortOperations &port,
                            const LinkSettings &settings, TForm5 &variables, TPerezap_File &overwritePrompt,
                            SetupPage &setupPage, std::function<void(const QString &text)> messageSink);

} // namespace orv
