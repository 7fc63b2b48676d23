// Filing combinations without windows: places, record numbers, the count in the settings file,
// what lands in "zhrj.dat", and refusals that leave everything as it was.

#include "core/ComboEdits.h"
#include "store/Ini.h"
#include "store/Store.h"
#include "tests/support/CatalogueFixture.h"

#include <gtest/gtest.h>

namespace qbx {
namespace {

using testing::comboRecordAt;
using testing::readFile;
using testing::ScratchDir;

struct Combos {
    ScratchDir dir;
    AppState state;

    Combos() { state.appDir = dir.path(); }

    // The folder as the next start-up reads it.
    AppState reload() const
    {
        AppState s;
        s.appDir = dir.path();
        readSettings(s.settingsFile(), s.settings);
        loadAll(s);
        return s;
    }
    std::string zhrj() const { return readFile(state.comboFile()); }
    std::string ini() const { return readFile(state.settingsFile()); }

    // A group with combinations named `names`, members {1..n} each, use counts `uses`.
    int group(const std::string& name, std::vector<std::pair<std::string, int>> combos = {})
    {
        const ComboEdit g = createComboGroup(state, name);
        EXPECT_TRUE(g.done) << g.message;
        int group = -1, position = -1;
        EXPECT_TRUE(findCombo(state.combos, g.recordNo, group, position));
        for (const auto& [combo, uses] : combos) {
            EXPECT_TRUE(createCombination(state, group, combo, combo + "说明").done);
            ComboEntry& c = state.combos.at(group, state.sel.curPosition);
            c.programs = {1, 2, 3, 0, 0};
            c.programCount = 3;
            c.useCounter = uses;
            EXPECT_TRUE(saveComboEntry(state, group, state.sel.curPosition).ok());
        }
        return group;
    }
};

TEST(ComboEdits, GroupsTakeTheFirstFreePlaceAndAreRefusedByName)
{
    Combos f;
    EXPECT_EQ(f.group("办公"), 0);
    EXPECT_EQ(f.group("游戏 "), 1);

    EXPECT_EQ(createComboGroup(f.state, "").message, "请打出类别名! ");
    EXPECT_EQ(createComboGroup(f.state, "   ").message, "请打出类别名! ");
    // Compared without the end blanks, stored as typed.
    EXPECT_EQ(createComboGroup(f.state, " 办公 ").message, "该分类名已经有了！请另起一个。");
    EXPECT_EQ(f.state.combos.at(1, 0).groupName, "游戏 ");

    // The fifth place decides, even with an earlier place free.
    f.state.combos.at(4, 0).groupName = "末组";
    f.state.combos.at(4, 0).recordNo = 9;
    const std::string before = f.zhrj();
    EXPECT_EQ(createComboGroup(f.state, "新组").message, "类别名额已满! ");
    EXPECT_EQ(f.zhrj(), before);
}

TEST(ComboEdits, NewEntriesGetAFreeRecordWithinTheRecordsStartUpReadsAndTheCountFollowsTheLiveOnes)
{
    Combos f;
    // A count that disagrees with the table (a damaged settings file, or numbering from the
    // count after deletions) gives no number any more.
    f.state.settings.zhcount = 7;
    f.group("甲", {{"一", 1}});
    EXPECT_EQ(f.state.combos.at(0, 0).recordNo, 1); // the combination keeps its group's record
    f.group("乙");
    EXPECT_EQ(f.state.combos.at(1, 0).recordNo, 2);
    ASSERT_TRUE(createCombination(f.state, 0, "二", "").done);
    EXPECT_EQ(f.state.combos.at(0, 1).recordNo, 3);
    EXPECT_EQ(f.state.settings.zhcount, 3);
    EXPECT_NE(f.ini().find("zhcount= 3"), std::string::npos) << f.ini();

    // Deleting a group frees its records; a new entry takes the lowest free one, and the emptied
    // place still carrying it gives it up, so the re-sort that moves the groups cannot write it
    // over the new entry.
    ASSERT_TRUE(deleteComboGroup(f.state, 0).done);
    EXPECT_EQ(f.state.settings.zhcount, 1);
    ASSERT_TRUE(createCombination(f.state, 1, "三", "").done);
    EXPECT_EQ(f.state.combos.at(1, 0).recordNo, 2);
    f.state.combos.at(1, 0).programs[0] = 1; // a member, so the next one is not taken over
    f.state.combos.at(1, 0).programCount = 1;
    const ComboEdit fourth = createCombination(f.state, 1, "四", "");
    ASSERT_TRUE(fourth.done);
    EXPECT_EQ(fourth.recordNo, 1);
    ASSERT_TRUE(finishComboAdding(f.state, 1, fourth.recordNo).done);
    EXPECT_EQ(f.state.combos.at(0, 0).groupName, "乙");

    const AppState disk = f.reload();
    EXPECT_EQ(disk.settings.zhcount, 2);
    EXPECT_EQ(comboRecordsInUse(disk.combos), 2);
    EXPECT_EQ(comboRecordAt(f.state.comboFile(), 1).name, "四");
    EXPECT_EQ(comboRecordAt(f.state.comboFile(), 2).name, "三");
    EXPECT_TRUE(comboRecordAt(f.state.comboFile(), 3).groupName.empty());
}

TEST(ComboEdits, CombinationsAreRefusedInOrderAndTakeOverAPlaceWithoutMembers)
{
    Combos f;
    const int g = f.group("工作", {{"写作", 1}});
    f.group("空组");
    EXPECT_EQ(createCombination(f.state, g, " ", "").message, "请打出组合名! ");
    EXPECT_EQ(createCombination(f.state, 1, "写作 ", "").message, "该组合名已经有了！请另起一个。");
    EXPECT_EQ(createCombination(f.state, 2, "新的", "").message, " 请先给该分类起名! ");

    // A combination with no members yet is replaced, record and all; the count does not grow.
    ASSERT_TRUE(createCombination(f.state, 1, "旧的", "旧说明").done);
    const int record = f.state.combos.at(1, 0).recordNo;
    ASSERT_TRUE(createCombination(f.state, 1, " 新的 ", " 新说明 ").done);
    const ComboEntry& c = f.state.combos.at(1, 0);
    EXPECT_EQ(c.name, "新的");
    EXPECT_EQ(c.description, "新说明");
    EXPECT_EQ(c.recordNo, record);
    EXPECT_EQ(c.useCounter, 1);
    EXPECT_EQ(c.groupName, "空组");
    EXPECT_EQ(f.state.settings.zhcount, 2);
    EXPECT_EQ(comboRecordAt(f.state.comboFile(), record), c);

    // Every place holding members: nothing is created.
    for (int p = 0; p < 5; ++p) {
        ComboEntry& e = f.state.combos.at(g, p);
        e.groupName = "工作";
        e.programCount = 1;
        e.programs[0] = 1;
    }
    EXPECT_EQ(createCombination(f.state, g, "第六", "").message, " 组合名额已满! ");
}

TEST(ComboEdits, TextTheRecordCannotHoldIsRefusedBeforeAnythingIsWritten)
{
    Combos f;
    const int g = f.group("工作", {{"写作", 1}});
    const std::string zhrj = f.zhrj();
    const std::string ini = f.ini();
    const ComboTable table = f.state.combos;

    EXPECT_FALSE(createComboGroup(f.state, "表情😀").done);
    EXPECT_FALSE(createComboGroup(f.state, "表情😀").message.empty());
    EXPECT_FALSE(createCombination(f.state, g, "新", std::string(139, 'x')).done);
    EXPECT_FALSE(renameCombination(f.state, g, 0, "写作", "说明😀").done);
    EXPECT_FALSE(renameComboGroup(f.state, g, "工作😀").done);
    EXPECT_EQ(renameComboGroup(f.state, g, " ").message, "请先填写更改内容！");
    EXPECT_EQ(renameCombination(f.state, g, 0, "", "x").message, "请先填写更改内容！");

    EXPECT_EQ(f.state.combos.e, table.e);
    EXPECT_EQ(f.zhrj(), zhrj);
    EXPECT_EQ(f.ini(), ini);
}

TEST(ComboEdits, DeletingAndRenamingWriteWhatStartUpReadsBack)
{
    Combos f;
    const int g0 = f.group("常用", {{"上网", 2}});
    const int g1 = f.group("游戏", {{"休闲", 9}, {"对战", 4}});
    ASSERT_TRUE(finishComboAdding(f.state, g1, 0).done);
    // The more used group moved to the front.
    EXPECT_EQ(f.state.combos.at(0, 0).groupName, "游戏");
    (void)g0;

    // A deleted combination leaves its group; its place goes behind the used ones.
    ASSERT_TRUE(deleteCombination(f.state, 0, 0).done);
    EXPECT_EQ(f.state.combos.at(0, 0).name, "对战");
    EXPECT_EQ(f.state.combos.at(0, 1).groupName, "游戏");
    EXPECT_TRUE(f.state.combos.at(0, 1).name.empty());

    ASSERT_TRUE(renameComboGroup(f.state, 0, "娱乐 ").done);
    ASSERT_TRUE(renameCombination(f.state, 0, 0, " 对打 ", " 两人 ").done);

    // Removing the middle one of three members frees its place only.
    ASSERT_TRUE(removeComboMember(f.state, 0, 0, 1).done);
    EXPECT_EQ(f.state.combos.at(0, 0).programs, (std::array<std::int32_t, 5>{1, 0, 3, 0, 0}));
    EXPECT_EQ(f.state.combos.at(0, 0).programCount, 2);

    AppState disk = f.reload();
    EXPECT_EQ(disk.combos.at(0, 0).name, "对打");
    EXPECT_EQ(disk.combos.at(0, 0).description, "两人");
    EXPECT_EQ(disk.combos.at(0, 0).groupName, "娱乐 ");
    EXPECT_EQ(disk.combos.at(0, 1).groupName, "娱乐 ");
    EXPECT_EQ(disk.combos.at(0, 0).programs, f.state.combos.at(0, 0).programs);
    EXPECT_EQ(disk.combos.at(1, 0).name, "上网");

    // Deleting a group removes all its records from what start-up reads; the count never goes
    // below the records in use, nor below 0.
    ASSERT_TRUE(deleteComboGroup(f.state, 0).done);
    ASSERT_TRUE(deleteComboGroup(f.state, 0).done);
    EXPECT_FALSE(deleteComboGroup(f.state, 0).done);
    disk = f.reload();
    EXPECT_EQ(comboRecordsInUse(disk.combos), 0);
    EXPECT_EQ(disk.settings.zhcount, 0);
}

} // namespace
} // namespace qbx
