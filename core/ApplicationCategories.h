#pragma once
// Where an installed application is filed by the categories its desktop entry lists: one of
// the five major categories and one of its built-in minor names. The first line of this table
// that matches wins (the README shows it too):
//
//   Game                                    娱乐 / 游戏
//   Office with ContactManagement/Calendar  办公 / 联系
//   Office with Database                    办公 / 数据
//   Office                                  办公 / 业务
//   Audio (without Video)                   娱乐 / 音乐
//   Video, AudioVideo                       娱乐 / 影像
//   Graphics                                娱乐 / 图形
//   FileTransfer                            网络 / 文传
//   WebBrowser                              网络 / 网页
//   Email, Chat, InstantMessaging, IRCClient  网络 / 通信
//   Development                             学习 / 电脑
//   Education with Languages                学习 / 外语
//   Education, Science                      学习 / 其它
//   Settings                                系统 / 桌面
//   Security                                系统 / 安全
//   System                                  系统 / 管理
//   Network                                 网络 / 其它
//   anything else                           系统 / 其它

#include <QStringList>

namespace qbx {

struct CategoryPlace {
    int major = 0;     // 0 办公, 1 娱乐, 2 网络, 3 学习, 4 系统
    int nameIndex = 0; // the built-in minor name of that major (0-4)

    bool operator==(const CategoryPlace&) const = default;
};

CategoryPlace placeForCategories(const QStringList& categories);

} // namespace qbx
