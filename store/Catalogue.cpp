// The built-in category names. They live in no file: start-up sets them.

#include "Catalogue.h"

namespace qbx {

const std::array<std::string, kNamedMajors>& majorNames()
{
    static const std::array<std::string, kNamedMajors> names{"办公", "娱乐", "网络", "学习", "系统"};
    return names;
}

const std::array<std::string, kMinors>& minorNames(int major)
{
    static const std::array<std::array<std::string, kMinors>, kNamedMajors> names{{
        {"业务", "联系", "数据", "设计", "其它"},
        {"游戏", "音乐", "图形", "影像", "其它 "}, // the trailing blank is part of the name
        {"文传", "网页", "通信", "网管", "其它"},
        {"电脑", "外语", "制作", "专业", "其它"},
        {"桌面", "安全", "管理", "测试", "其它"},
    }};
    // Majors 5 and 6 have no names.
    static const std::array<std::string, kMinors> none{};
    if (major < 0 || major >= kNamedMajors)
        return none;
    return names[static_cast<std::size_t>(major)];
}

void MinorNameTable::fillBuiltIn()
{
    for (int m = 0; m < kNamedMajors; ++m) {
        const auto& names = minorNames(m);
        for (int n = 0; n < kMinors; ++n) {
            at(m, n).name = names[static_cast<std::size_t>(n)];
            at(m, n).slotMap = 5;
        }
    }
}

} // namespace qbx
