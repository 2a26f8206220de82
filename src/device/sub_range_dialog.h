#pragma once
// "Поддиапазон измерений": the main range and the sub-range (read with command 33), re-ranging
// by limits (190) or by ratio (191), the current ratio (192) and the largest one (151).
#include "device/device_decoders.h"
#include "device/dialog_loop.h"
#include "setup/setup_decoders.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orv {

class TPodDiapazon : public QDialog {
    Q_OBJECT
public:
    explicit TPodDiapazon(QWidget *parent = nullptr);

    void SetLink(DialogLink link) { link_ = std::move(link); }
    // Which range group the next command-33 answer fills: the setup page's, bound at start-up.
    RangeReadTarget *RangeTarget = nullptr;

    // Menu item 14: the message labels are emptied, edits and unit boxes keep their contents,
    // then the dialog until "Выход".
    void Open();
    // A command-33 answer that fills a range group.
    void FillRangeGroups(const std::optional<RangeGroupFill> &subRange, const std::optional<RangeGroupFill> &mainRange);
    // Answers 151, 190, 191, 192 (and the range groups of 33).
    void ShowAnswer(const SubRangeDialogTexts &texts);

    void Button_Osn_ReadClick();
    void Button_Poddiap_ReadClick();
    void Button_Poddiap_WriteClick();
    void Button_Koeff_Poddiap_WriteClick();
    void Button_Koeff_Poddiap_ReadClick();
    void Button_Koeff_Osndiap_ReadClick();
    void BitBtn2Click();

    bool SubRangeExitFlag = false;

    QGroupBox *GroupBox2 = nullptr;
    QLineEdit *Edit_Osndiap_Pmin = nullptr;
    QLineEdit *Edit_Osndiap_Pmax = nullptr;
    QComboBox *Ed_Osndiap = nullptr;
    QPushButton *Button_Osn_Read = nullptr;
    QLabel *Label_Error_OsnDiap = nullptr;

    QGroupBox *GroupBox1 = nullptr;
    QLineEdit *Edit_Poddiap_Pmin = nullptr;
    QLineEdit *Edit_Poddiap_Pmax = nullptr;
    QComboBox *Ed_Poddiap = nullptr;
    QPushButton *Button_Poddiap_Write = nullptr;
    QPushButton *Button_Poddiap_Read = nullptr;
    QLabel *Label_Error = nullptr;

    QGroupBox *GroupBox3 = nullptr;
    QLabel *Label8 = nullptr;
    QLineEdit *Edit_Koeff_Poddiap = nullptr;
    QPushButton *Button_Koeff_Poddiap_Write = nullptr;
    QPushButton *Button_Koeff_Poddiap_Read = nullptr;
    QLabel *Label_Error_Koeff_PodDiap = nullptr;
    QLabel *Label_Text = nullptr;
    QGroupBox *GroupBox4 = nullptr;
    QLabel *Label9 = nullptr;
    QLineEdit *Edit_Koeff_Osndiap = nullptr;
    QPushButton *Button_Koeff_Osndiap_Read = nullptr;

    QPushButton *BitBtn2 = nullptr;

private:
    struct RangeGroup {
        QLineEdit *lower;
        QLineEdit *upper;
        QComboBox *unit;
    };
    RangeGroup MainGroup() const { return {Edit_Osndiap_Pmin, Edit_Osndiap_Pmax, Ed_Osndiap}; }
    RangeGroup SubGroup() const { return {Edit_Poddiap_Pmin, Edit_Poddiap_Pmax, Ed_Poddiap}; }
    void ReadRanges(RangeReadTarget target, const RangeGroup &group);

    DialogLink link_;
};

} // namespace orv
