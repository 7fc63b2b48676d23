#pragma once
// The system-settings dialog "系统设置": how the program starts when the user logs in, and how
// long the main window and the category window wait before hiding. It only shows and reports:
// whoever opens it writes the choices (SettingsChoices) and applies them.
//
// Opening (load) selects the option of the start mode and the items of the two delays; every
// selection made there is reported as a choice, so opening writes the values again. Clicking an
// option or choosing an item is reported at once. "确定" accepts the dialog; closing it any other
// way rejects it (QDialog's accepted() / rejected()). The key combination that opens "查找程序" from
// any program is chosen in a key-sequence box (empty: none); a combination that could not be
// taken is explained under it.

#include <QDialog>

#include <array>

class QComboBox;
class QGroupBox;
class QKeySequenceEdit;
class QLabel;
class QPushButton;
class QRadioButton;

namespace qbx {

class Form4 : public QDialog {
    Q_OBJECT
public:
    explicit Form4(QWidget* parent = nullptr);

    // Selects what the values show and reports each selection made.
    void load(int startMode, int mainHideDelayMs, int categoryHideDelayMs);
    // Shows the find box's key combination (Qt's portable text) without reporting it.
    void loadShortcut(const QString& keys);
    // Why the combination shown does not work (another program holds it); empty: it works.
    void showShortcutProblem(const QString& why);

    QGroupBox* Frame1 = nullptr;           // "开机启动设置"
    std::array<QRadioButton*, 4> Option{}; // Option1 … Option4 at [0] … [3]
    QGroupBox* Frame2 = nullptr;           // "自动隐藏时间设置"
    QLabel* Label1 = nullptr;              // "主窗口隐藏时间（秒）"
    QComboBox* Combo1 = nullptr;           // "1" … "5"
    QLabel* Label2 = nullptr;              // "分类窗口隐藏时间（秒）"
    QComboBox* Combo2 = nullptr;           // "1" … "3"
    QGroupBox* Frame3 = nullptr;           // "查找程序快捷键"
    QKeySequenceEdit* Shortcut = nullptr;  // one key combination, with a clear button
    QLabel* Label3 = nullptr;              // why the combination does not work (hidden when it does)
    QPushButton* Command1 = nullptr;       // "确定"

signals:
    void startModeChosen(int option);         // 1-4
    void mainDelayChosen(int seconds);        // Combo1's number
    void categoryDelayChosen(int seconds);    // Combo2's number
    void shortcutChosen(const QString& keys); // portable text ("Ctrl+Alt+Space"); empty: none
    // The key combination box took (true) or lost the focus: while it has it, keys pressed are
    // recorded, the find box's own combination too.
    void shortcutFocused(bool focused);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Option_Click(int option);
    void Combo1_Click(int index);
    void Combo2_Click(int index);
};

} // namespace qbx
