#pragma once
// The command menu "菜单1" of a program in the category window or on a main-window tile: start,
// add, exchange, change the category, take out, change the title, the folder (its submenu lists
// the whole minor category), the properties, and the combination editor. It remembers the
// place it was opened for; every command acts on that place.

#include <QMenu>

#include <array>

namespace qbx {

struct AppState;

class Menu1 : public QMenu {
    Q_OBJECT
public:
    static constexpr int kListed = 25;

    explicit Menu1(QWidget* parent = nullptr);

    // Prepares the items for cell (major, minor, slot) of the category window.
    void prepareForCell(const AppState& state, int major, int minor, int slot);
    // Prepares them for a right click on main-window tile `major` (its first minor category, slot 0).
    void prepareForTile(const AppState& state, int major);

    int major() const { return major_; }
    int minor() const { return minor_; }
    int slot() const { return slot_; }

    QAction* dk;
    QAction* tj;
    QAction* th;
    QAction* gg;
    QAction* sc;
    QAction* bt;
    QMenu* mll;
    QAction* qb;
    std::array<QAction*, kListed> qd1{};
    QAction* sx;
    QAction* zh;

signals:
    void openChosen();         // "打开"
    void addChosen();          // "添加软件"
    void exchangeChosen();     // "交换分类"
    void changeChosen();       // "更改分类"
    void takeOutChosen();      // "删除分类"
    void retitleChosen();      // "更改标题"
    void folderChosen();       // "目录" opened
    void slotChosen(int slot); // an item of the "目录" list
    void propertiesChosen();   // "软件属性"
    void combinationsChosen(); // "程序组合"

private:
    void prepare(const AppState& state, int major, int minor, int slot);

    int major_ = 0;
    int minor_ = 0;
    int slot_ = 0;
    bool folderShown_ = false;
};

} // namespace qbx
