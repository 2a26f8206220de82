#include "shell/app_windows.h"

#include "device/current_output_dialog.h"
#include "device/device_attach.h"
#include "device/device_info_dialog.h"
#include "device/pressure_unit_dialog.h"
#include "device/response_delay_dialog.h"
#include "device/setup_answers.h"
#include "device/signal_device_dialog.h"
#include "device/sub_range_dialog.h"
#include "graph/graph_window.h"
#include "graph/wait_window.h"
#include "port/time_intervals_dialog.h"
#include "registration/attach_address_scan.h"
#include "registration/attach_registration.h"
#include "registration/overwrite_prompt.h"
#include "registration/registration_page.h"
#include "setup/address_dialog.h"
#include "setup/averaging_dialog.h"
#include "setup/confirmation_dialog.h"
#include "setup/fixed_current_dialog.h"
#include "setup/setup_attach.h"
#include "setup/setup_page.h"
#include "setup/variables_dialog.h"
#include "shell/about_box.h"
#include "shell/exit_question.h"
#include "shell/main_window.h"
#include "link/serial_port.h"
#include "link/transaction_engine.h"

namespace orv {

AppWindows::~AppWindows()
{
    delete Form1;
}

std::unique_ptr<AppWindows> CreateAppWindows(const MainWindowOptions &options)
{
    auto w = std::make_unique<AppWindows>();
    w->Form1 = new TForm1(options);
    QWidget *main = w->Form1;
    w->Form3 = new TForm3(main);
    w->Form5 = new TForm5(main);
    w->Form6 = new TForm6(main);
    w->Form9 = new TForm9(main);
    w->Form12 = new TForm12(main);
    w->Form21 = new TForm21(main);
    w->Sign_Ustr = new TSign_Ustr(main);
    w->Ukaz_Ed_Davl = new TUkaz_Ed_Davl(main);
    w->Ukaz_Tok = new TUkaz_Tok(main);
    w->Zavod_Parametrs = new TZavod_Parametrs(main);
    w->Podtvergdenie = new TPodtvergdenie(main);
    w->PodDiapazon = new TPodDiapazon(main);
    w->Time_Intervals = new TTime_Intervals(main);
    w->Ris_Interf = new TRis_Interf(main);
    w->Time_Delay_Pribor = new TTime_Delay_Pribor(main);
    w->Perezap_File = new TPerezap_File(main);
    w->Grafik = new TGrafik(nullptr, main);
    w->Ogidanie = new TOgidanie(main);
    w->Grafik->SetWaitWindow(w->Ogidanie);

    w->Form1->SetExitQuestion(w->Form12);
    w->Form1->SetAboutBox(w->Form21);
    w->Form1->SetTimingDialog(w->Time_Intervals);
    w->Form12->SetMainWindow(w->Form1);
    AttachSetupPage(*w->Form1->TabSheet1, *w->Form1->Engine, *w->Form1->VaComm1,
                    SetupDialogs{w->Form3, w->Form5, w->Form6, w->Form9, w->Podtvergdenie}, options.messageSink);
    w->Time_Intervals->SetPictureDialog(w->Ris_Interf);
    AttachRegistrationPage(*w->Form1->TabSheet2, *w->Form1->Engine, *w->Form1->VaComm1, w->Form1->Settings,
                           *w->Form5, *w->Perezap_File, *w->Form1->TabSheet1, options.messageSink);
    AttachAddressScan(*w->Form1->TabSheet2, *w->Form1->Engine, *w->Form1->VaComm1, w->Form1->Settings);
    if (!options.settingsPath.isEmpty())
        w->Time_Intervals->SetSettingsPath(options.settingsPath);
    TGrafik *grafik = w->Grafik;
    QObject::connect(w->Form1->TabSheet2, &RegistrationPage::graphRequested, grafik, [grafik] {
        grafik->ShowUntilClosed();
    });
    const DeviceDialogs deviceDialogs{w->Sign_Ustr,   w->Ukaz_Ed_Davl, w->Ukaz_Tok, w->Zavod_Parametrs,
                                      w->PodDiapazon, w->Time_Delay_Pribor};
    AttachDeviceDialogs(*w->Form1->Engine, *w->Form1->TabSheet1, *w->Podtvergdenie, deviceDialogs,
                        options.messageSink);
    AttachSetupAnswers(*w->Form1->Engine, *w->Form1->TabSheet1, *w->Form5, deviceDialogs);
    return w;
}

} // namespace orv
