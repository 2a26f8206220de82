#pragma once
// The page "Режим регистрации": up to ten gauges polled cyclically, one block of result rows
// and one lamp per device slot, and on request one survey data file per slot.
#include "link/response_view.h"
#include "registration/poll_schedule.h"
#include "registration/slot_selection.h"
#include "gauge/survey_files.h"
#include "setup/request.h"

#include <QColor>
#include <QElapsedTimer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>
#include <optional>

class QCheckBox;
class QComboBox;
class QFileDialog;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class QTableWidget;
class QTimer;

namespace orv {

class PortOperations;
class StatusLamp;
class TForm5;
class TPerezap_File;
class TransactionEngine;
class UpDownButtons;
struct LinkSettings;

// SlotStatus values and the lamp colours that show them.
enum SlotStatusCode : std::uint8_t { SlotNoResult = 0, SlotNoAnswer = 1, SlotAnswered = 3 };
QColor SlotStatusColour(std::uint8_t status);

class RegistrationPage : public QWidget {
    Q_OBJECT
public:
    explicit RegistrationPage(QWidget *parent = nullptr);
    ~RegistrationPage() override;

    // What the page works with; set once at start-up.
    struct Links {
        TransactionEngine *engine = nullptr;
        PortOperations *port = nullptr;
        const LinkSettings *settings = nullptr;
        TForm5 *variables = nullptr;
        TPerezap_File *overwritePrompt = nullptr;
        std::function<void(const QString &line)> trace;   // the trace log
    };
    void SetLinks(const Links &links);
    // How messages reach the user; empty: message boxes.
    void SetMessageSink(std::function<void(const QString &text)> sink) { messageSink_ = std::move(sink); }
    // How the data file is chosen: the name, or nothing when the user cancels. Empty: the page's
    // own open dialog OpenDialogOpros.
    using FileChooser = std::function<std::optional<QString>()>;
    void SetFileChooser(FileChooser chooser) { fileChooser_ = std::move(chooser); }

    // Asked by the main window.
    // From the press of Start (Button2 then reads "Стоп") until the run is stopped.
    bool PollingRunning() const { return running_; }
    bool FilesCreated() const { return filesCreated_; }
    bool SlotSelectionInvalid() const { return slotSelectionInvalid_; }
    // The data-file box: off and locked until a port is open and slots are chosen; when the page
    // comes into view it follows the slot selection.
    void LockSurveyFileChoice();
    void FollowSlotSelection();

    // Ticks free slots (unticked and unlocked) with the addresses that no ticked slot shows yet, as a
    // user's click does; returns how many of the addresses are in ticked slots afterwards.
    int TickFreeSlots(const std::vector<int> &addresses);
    // A control placed in a row of its own under the device slots.
    void AddUnderSlots(QWidget *widget);

    // --- handlers ---
    bool ValidateSlots(bool showMessages);
    void CheckBoxSlotClick(int slot);   // CheckBox_D01Click .. CheckBox_D10Click
    void Button2Click();
    void TrackBar1Change();
    void Timer1Timer();
    void StartPollCycle();
    void PollNextSlot();   // Timer31Timer
    void ClearRegistrationGrid();
    void RefreshStatusLamps();
    void RegistrationTimeout(int slot);
    // The registration branch of the decoders of commands 1, 3 and 33.
    void RegistrationAnswer(const ResponseView &answer);
    void Check_Save_Data_FileClick();
    // The setup page's Start resets the attempts of every slot.
    void ResetSlotAttempts();
    // The port was closed or went away: polling a closed port would only paint red lamps, and
    // with the port closed the Stop button is locked, so the run ends here. Data files stay open.
    void PortClosed();

    // --- state ---
    SlotTable Slots;   // SlotEnabled (taken by ValidateSlots) and SlotAddress (taken at Start)
    std::array<std::uint8_t, DeviceSlotCount> SlotStatus{};
    std::array<std::uint8_t, DeviceSlotCount> SlotAttemptCount{};
    int NextSlotIndex = 1;
    // Length of Timer1's tick, the "second" of the period. Always 1000 in the program; the
    // long-run benchmarks shorten it to fit hours of polling into minutes.
    int TickIntervalMs = 1000;
    int PeriodCountdown = 0;
    bool OverwriteConfirmed = false;
    bool NoFileOpen = true;
    SurveyFileSet SurveyFiles;

    // A cell of StringGrid2 in the grid's own numbering: row 0 is the header row.
    QString CellText(int row, int column) const;

    // --- controls ---
    std::array<QCheckBox *, DeviceSlotCount> CheckBox_D{};
    std::array<QLineEdit *, DeviceSlotCount> Addr_D{};
    std::array<UpDownButtons *, DeviceSlotCount> UpDown_D{};
    std::array<StatusLamp *, DeviceSlotCount> Shape{};
    QLabel *Label3 = nullptr;
    QSlider *TrackBar1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label32 = nullptr;
    QLabel *Label33 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QComboBox *ComboBox2 = nullptr;
    QPushButton *Button2 = nullptr;
    QCheckBox *Check_Save_Data_File = nullptr;
    QPushButton *Button_Grafik = nullptr;
    QTableWidget *StringGrid2 = nullptr;
    QTimer *Timer1 = nullptr;
    QTimer *Timer31 = nullptr;
    QFileDialog *OpenDialogOpros = nullptr;

signals:
    // Button_Grafik: the graph window is wanted.
    void graphRequested();

private:
    void BuildSlots(QWidget *box);
    // The slot checks; nothing when an address text is no number (the operation is abandoned).
    std::optional<bool> CheckSlots(bool showMessages);
    QWidget *BuildControls();
    void StopPolling();
    void SetSlotControlsEnabled(bool enabled);
    // The request of the read chosen; none when the variables dialog was cancelled.
    std::optional<Request> BuildRequest();
    void AskVariablesDuringRun();
    std::array<QString, DeviceSlotCount> AddressTexts() const;
    void SetCell(int row, int column, const QString &text);
    void WritePiece(int slot, const QString &piece);
    void ShowMessage(const QString &text);
    QString SecondsText(int seconds) const;
    std::optional<QString> ChooseDataFile();
    bool CreateSurveyFiles();
    void CloseSurveyFiles();
    int AttemptLimit() const;

    Links links_;
    std::function<void(const QString &)> messageSink_;
    FileChooser fileChooser_;
    QString chosenFileName_;   // the name OpenDialogOpros holds
    QElapsedTimer clock_;      // the time base of the poll schedule
    PollSchedule schedule_;
    bool filesCreated_ = false;
    bool running_ = false;
    bool slotSelectionInvalid_ = true;
};

} // namespace orv
