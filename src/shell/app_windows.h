#pragma once
// The program's windows: each created once at start-up, in a fixed order with the main window
// first, and kept for the whole run. They reach each other through this one set.
#include <memory>

namespace orv {

class TForm1;
class TForm3;
class TForm5;
class TForm6;
class TForm9;
class TForm12;
class TForm21;
class TSign_Ustr;
class TUkaz_Ed_Davl;
class TUkaz_Tok;
class TZavod_Parametrs;
class TPodtvergdenie;
class TPodDiapazon;
class TTime_Intervals;
class TRis_Interf;
class TTime_Delay_Pribor;
class TPerezap_File;
class TGrafik;
class TOgidanie;
struct MainWindowOptions;

struct AppWindows {
    TForm1 *Form1 = nullptr;
    TForm3 *Form3 = nullptr;
    TForm5 *Form5 = nullptr;
    TForm6 *Form6 = nullptr;
    TForm9 *Form9 = nullptr;
    TForm12 *Form12 = nullptr;
    TForm21 *Form21 = nullptr;
    TSign_Ustr *Sign_Ustr = nullptr;
    TUkaz_Ed_Davl *Ukaz_Ed_Davl = nullptr;
    TUkaz_Tok *Ukaz_Tok = nullptr;
    TZavod_Parametrs *Zavod_Parametrs = nullptr;
    TPodtvergdenie *Podtvergdenie = nullptr;
    TPodDiapazon *PodDiapazon = nullptr;
    TTime_Intervals *Time_Intervals = nullptr;
    TRis_Interf *Ris_Interf = nullptr;
    TTime_Delay_Pribor *Time_Delay_Pribor = nullptr;
    TPerezap_File *Perezap_File = nullptr;
    TGrafik *Grafik = nullptr;
    TOgidanie *Ogidanie = nullptr;

    // The main window owns all the others (they are its child windows), so deleting it ends them.
    ~AppWindows();
};

// Creates every window in the program's order and connects them.
std::unique_ptr<AppWindows> CreateAppWindows(const MainWindowOptions &options);

} // namespace orv
