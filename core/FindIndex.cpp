// Finding programs by what the user types.

#include "FindIndex.h"

#include "platform/Text.h"

#include <QSet>

#include <algorithm>

namespace qbx {

void FindIndex::add(FindHit hit, std::initializer_list<QString> texts)
{
    Entry e;
    for (const QString& t : texts)
        if (!t.trimmed().isEmpty())
            e.texts.push_back(&romaniser_.forms(t));
    const TextForms& title = romaniser_.forms(hit.title);
    e.sortKey = title.full + QLatin1Char('\0') + hit.title;
    e.hit = std::move(hit);
    entries_.push_back(std::move(e));
}

namespace {

// Every text the entries are found by that may hold Chinese characters.
QStringList textsOf(const AppState& state, const QList<InstalledApplication>& installed)
{
    QStringList texts;
    for (int major = 0; major < kNamedMajors; ++major)
        for (int minor = 0; minor < kMinors; ++minor)
            for (int slot = 0; slot < kSlots; ++slot) {
                const ProgramEntry& p = state.catalogue.at(major, minor, slot);
                if (!p.exePath.empty())
                    texts << qs(p.title) << qs(p.name) << qs(p.description);
            }
    for (const auto& group : state.combos.e)
        for (const ComboEntry& c : group)
            texts << qs(c.name) << qs(c.description);
    for (const InstalledApplication& app : installed)
        texts << app.name << app.comment;
    return texts;
}

} // namespace

void FindIndex::load(const AppState& state, const QList<InstalledApplication>& installed)
{
    // Every text new since the last load is romanised in one go.
    romaniser_.prepare(textsOf(state, installed));
    fill(state, installed);
}

void FindIndex::loadWithoutWaiting(const AppState& state, const QList<InstalledApplication>& installed,
                                   std::function<void()> romanised)
{
    romaniser_.prepareLater(textsOf(state, installed), std::move(romanised));
    fill(state, installed);
}

void FindIndex::fill(const AppState& state, const QList<InstalledApplication>& installed)
{
    entries_.clear();
    QSet<QString> filed;
    for (int major = 0; major < kNamedMajors; ++major)
        for (int minor = 0; minor < kMinors; ++minor)
            for (int slot = 0; slot < kSlots; ++slot) {
                const ProgramEntry& p = state.catalogue.at(major, minor, slot);
                if (p.name.empty() || p.exePath.empty())
                    continue;
                FindHit hit{FindHit::Program,
                            major,
                            minor,
                            slot,
                            qs(p.exePath),
                            qs(p.title.empty() ? p.name : p.title),
                            qs(p.description),
                            p.useCounter};
                filed.insert(hit.path);
                add(std::move(hit), {qs(p.title), qs(p.name), qs(p.description)});
            }
    for (int group = 0; group < kGroups; ++group)
        for (int position = 0; position < kPositions; ++position) {
            const ComboEntry& c = state.combos.at(group, position);
            if (c.name.empty() || c.groupName.empty() || c.programs[0] == 0)
                continue;
            add({FindHit::Combination,
                 kComboMajor,
                 group,
                 position,
                 {},
                 qs(c.name),
                 qs(c.description),
                 c.useCounter},
                {qs(c.name), qs(c.description)});
        }
    for (const InstalledApplication& app : installed) {
        if (filed.contains(app.path))
            continue;
        add({FindHit::Application, -1, 0, 0, app.path, app.name, app.comment, 0},
            {app.name, app.comment, app.fileId});
    }
}

namespace {

enum Rank { Exact, Prefix, Inside, None };

Rank rankOf(const TextForms& f, const QString& folded, const QString& squeezed)
{
    if (f.folded == folded || f.full == squeezed || f.initials == squeezed)
        return Exact;
    if (f.folded.startsWith(folded) || f.full.startsWith(squeezed) || f.initials.startsWith(squeezed))
        return Prefix;
    if (f.folded.contains(folded) || f.full.contains(squeezed) || f.initials.contains(squeezed))
        return Inside;
    return None;
}

} // namespace

QList<FindHit> FindIndex::find(const QString& typed) const
{
    const QString folded = foldTyped(typed);
    QString squeezed = folded;
    squeezed.removeIf([](QChar c) { return c.isSpace(); });
    struct Found {
        const Entry* entry;
        Rank rank;
    };
    std::vector<Found> found;
    found.reserve(entries_.size());
    for (const Entry& e : entries_) {
        Rank best = squeezed.isEmpty() ? Inside : None;
        for (const TextForms* f : e.texts) {
            if (best == Exact || squeezed.isEmpty())
                break;
            best = std::min(best, rankOf(*f, folded, squeezed));
        }
        if (best != None)
            found.push_back({&e, best});
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        const bool aApp = a.entry->hit.kind == FindHit::Application;
        const bool bApp = b.entry->hit.kind == FindHit::Application;
        if (aApp != bApp)
            return bApp;
        if (a.rank != b.rank)
            return a.rank < b.rank;
        if (a.entry->hit.uses != b.entry->hit.uses)
            return a.entry->hit.uses > b.entry->hit.uses;
        return a.entry->sortKey < b.entry->sortKey;
    });
    QList<FindHit> hits;
    hits.reserve(qsizetype(found.size()));
    for (const Found& f : found)
        hits.append(f.entry->hit);
    return hits;
}

} // namespace qbx
