#include "ApplicationCategories.h"

#include <array>
#include <initializer_list>

namespace qbx {

namespace {

struct Rule {
    std::initializer_list<const char*> anyOf; // one of these categories
    const char* with;                         // and this one too (nullptr: nothing more)
    const char* without;                      // but not this one (nullptr: no such condition)
    CategoryPlace place;
};

bool has(const QStringList& categories, const char* c)
{
    return categories.contains(QLatin1String(c));
}

bool matches(const QStringList& categories, const Rule& r)
{
    bool any = false;
    for (const char* c : r.anyOf)
        any = any || has(categories, c);
    return any && (!r.with || has(categories, r.with)) && (!r.without || !has(categories, r.without));
}

} // namespace

CategoryPlace placeForCategories(const QStringList& categories)
{
    static const std::array<Rule, 17> rules{{
        {{"Game"}, nullptr, nullptr, {1, 0}},
        {{"ContactManagement", "Calendar"}, "Office", nullptr, {0, 1}},
        {{"Database"}, "Office", nullptr, {0, 2}},
        {{"Office"}, nullptr, nullptr, {0, 0}},
        {{"Audio"}, nullptr, "Video", {1, 1}},
        {{"Video", "AudioVideo"}, nullptr, nullptr, {1, 3}},
        {{"Graphics"}, nullptr, nullptr, {1, 2}},
        {{"FileTransfer"}, nullptr, nullptr, {2, 0}},
        {{"WebBrowser"}, nullptr, nullptr, {2, 1}},
        {{"Email", "Chat", "InstantMessaging", "IRCClient"}, nullptr, nullptr, {2, 2}},
        {{"Development"}, nullptr, nullptr, {3, 0}},
        {{"Languages"}, "Education", nullptr, {3, 1}},
        {{"Education", "Science"}, nullptr, nullptr, {3, 4}},
        {{"Settings"}, nullptr, nullptr, {4, 0}},
        {{"Security"}, nullptr, nullptr, {4, 1}},
        {{"System"}, nullptr, nullptr, {4, 2}},
        {{"Network"}, nullptr, nullptr, {2, 4}},
    }};
    for (const Rule& r : rules)
        if (matches(categories, r))
            return r.place;
    return {4, 4};
}

} // namespace qbx
