#include "platform/IconCache.h"

#include "IconSources.h"
#include "ThemeIconFiles.h"
#include "platform/Logging.h"
#include "platform/Memory.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSet>

namespace qbx {

namespace {

// The cache files start with their kind and the version of their layout; a file of another
// version is ignored and written anew.
struct CacheKind {
    quint32 magic;
    quint32 version;
};
// Version 3: a 64-bit checksum; the icons' pictures follow the table, which says where each one
// is; the applications keep each entry's time.
constexpr CacheKind kIcons{0x51425849, 3};        // "QBXI"
constexpr CacheKind kApplications{0x51425841, 3}; // "QBXA"
constexpr qint64 kMaxFileBytes = qint64{256} << 20;
// The cache is written after the first few programs (the tiles' come first) and then after every
// so many drawn, so that a start that ends early leaves what it drew to the next one.
constexpr qsizetype kKeptFirst = 8;
constexpr int kKeptEvery = 100;

const QString kIconsFile = QStringLiteral("icons.cache");
const QString kApplicationsFile = QStringLiteral("applications.cache");

bool unchanged(const QList<FolderTime>& times)
{
    return std::all_of(times.begin(), times.end(),
                       [](const FolderTime& t) { return modificationTime(t.path) == t.mtime; });
}

// A cache file holds its kind, its version, a payload (the icon cache's table) with its length
// before it and its checksum after it; the icon cache's pictures follow.
constexpr qint64 kPayloadAt = 12;

// A cache file's checksum: 64-bit FNV-1a, a few times quicker than qChecksum's CRC-16 and far
// less likely to take damaged bytes for whole ones.
using Checksum = quint64;

Checksum checksum(QByteArrayView bytes)
{
    Checksum h = 0xcbf29ce484222325ULL;
    for (const char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ULL;
    }
    return h;
}

qint64 picturesAt(const QByteArray& table)
{
    return kPayloadAt + table.size() + qint64(sizeof(Checksum));
}

// The payload of a cache file; nullopt when it is missing, of another kind or version, or damaged.
std::optional<QByteArray> readCacheFile(QFile& f, CacheKind kind)
{
    if (!f.isOpen() && !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (f.size() > kMaxFileBytes) {
        qCInfo(lcIcons) << "cache file too large, ignored:" << f.fileName();
        return std::nullopt;
    }
    QDataStream in(&f);
    quint32 m = 0, version = 0;
    in >> m >> version;
    if (m != kind.magic || version != kind.version) {
        qCInfo(lcIcons) << "cache file of another kind or version, ignored:" << f.fileName();
        return std::nullopt;
    }
    QByteArray payload;
    Checksum sum = 0;
    in >> payload >> sum;
    if (in.status() != QDataStream::Ok || checksum(payload) != sum) {
        qCInfo(lcIcons) << "damaged cache file, ignored:" << f.fileName();
        return std::nullopt;
    }
    return payload;
}

std::optional<QByteArray> readCacheFile(const QString& file, CacheKind kind)
{
    QFile f(file);
    return readCacheFile(f, kind);
}

// `after` follows the payload's checksum as it is.
bool writeCacheFile(const QString& folder, const QString& name, CacheKind kind, const QByteArray& payload,
                    const QByteArrayList& after = {})
{
    const QString file = folder + u'/' + name;
    if (!QDir().mkpath(folder)) {
        qCWarning(lcIcons) << "cannot make the cache folder" << folder;
        return false;
    }
    QSaveFile f(file);
    if (f.open(QIODevice::WriteOnly)) {
        QDataStream out(&f);
        out << kind.magic << kind.version << payload << checksum(payload);
        for (const QByteArray& bytes : after)
            out.writeRawData(bytes.constData(), static_cast<int>(bytes.size()));
        if (out.status() == QDataStream::Ok && f.commit())
            return true;
    }
    qCWarning(lcIcons) << "cannot write the cache file" << file << f.errorString();
    return false;
}

QByteArray pngOf(const QImage& img)
{
    if (img.isNull())
        return {};
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "png");
    return bytes;
}

// The pictures as they follow the table, one after another, and where each program's is. One
// several programs share (the generic program icon, most often) is written once.
struct PictureLayout {
    struct Place {
        qint64 at = 0; // after the table
        qint64 size = 0;
        Checksum sum = 0;
    };
    QHash<QString, Place> places;
    QByteArrayList pictures;
};

PictureLayout layOut(const QHash<QString, QByteArray>& pngs)
{
    PictureLayout layout;
    QHash<QByteArray, PictureLayout::Place> written;
    qint64 end = 0;
    for (auto it = pngs.cbegin(); it != pngs.cend(); ++it) {
        auto place = written.constFind(*it);
        if (place == written.cend()) {
            place = written.insert(*it, {end, it->size(), checksum(*it)});
            layout.pictures << *it;
            end += it->size();
        }
        layout.places.insert(it.key(), *place);
    }
    return layout;
}

QImage imageOf(const QByteArray& png)
{
    return png.isEmpty() ? QImage() : QImage::fromData(png, "png");
}

// Whether the files that decided an entry are as they were.
bool current(const ProgramIconCache::Entry& e, const QString& path)
{
    const FileStamp program = fileStamp(path);
    return program.size == e.programSize && program.mtime == e.programTime &&
           (e.source.isEmpty() || modificationTime(e.source) == e.sourceTime);
}

ProgramIconCache::Entry freshEntry(const QString& path, int devicePixels, const ApplicationIndex* index,
                                   const ThemeIconFiles& theme)
{
    ProgramIconCache::Entry e;
    const FileStamp program = fileStamp(path);
    e.programSize = program.size;
    e.programTime = program.mtime;
    const IconSource source = findIconSource(path, index, theme, devicePixels);
    e.source = source.file;
    e.sourceTime = source.file.isEmpty() ? -1 : modificationTime(source.file);
    e.machine = source.machine || !index;
    e.unchecked = !index;
    const QImage picture = drawIconFile(source.file, devicePixels);
    if (picture.isNull() && !source.file.isEmpty())
        qCInfo(lcIcons) << "cannot read the icon" << source.file << "of" << path;
    e.png = pngOf(picture);
    return e;
}

} // namespace

ProgramIconCache::ProgramIconCache(QString folder, IconThemeChoice theme)
    : folder_(std::move(folder)), theme_(std::move(theme))
{}

ProgramIconCache::~ProgramIconCache() = default;

QString ProgramIconCache::defaultFolder()
{
    QString base = qEnvironmentVariable("XDG_CACHE_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.cache");
    return base + QStringLiteral("/quillbox");
}

void ProgramIconCache::loadLocked(int devicePixels)
{
    if (loaded_ && devicePixels_ == devicePixels)
        return;
    loaded_ = true;
    devicePixels_ = devicePixels;
    entries_.clear();
    decoded_.clear();
    file_.reset();
    // Only the table is read; the pictures stay in the file (read and checked when shown).
    auto file = std::make_unique<QFile>(folder_ + u'/' + kIconsFile);
    const auto table = readCacheFile(*file, kIcons);
    if (!table)
        return;
    QDataStream in(*table);
    IconThemeChoice theme;
    qint32 size = 0;
    QList<FolderTime> themeTimes, applicationTimes;
    quint64 applicationsStamp = 0;
    qint64 count = 0;
    in >> theme.theme >> theme.fallback >> theme.searchPaths >> size >> themeTimes >> applicationTimes >>
        applicationsStamp >> count;
    QHash<QString, Entry> entries;
    const qint64 pictures = picturesAt(*table), fileSize = file->size();
    for (qint64 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        QString path;
        Entry e;
        qint64 at = -1; // after the table
        in >> path >> e.programSize >> e.programTime >> e.source >> e.sourceTime >> e.machine >> at >>
            e.pngSize >> e.pngSum;
        // Every picture the table names is in the file, else the file was cut short.
        if (at < 0 || at > fileSize || e.pngSize < 0 || e.pngSize > fileSize - pictures - at)
            in.setStatus(QDataStream::ReadCorruptData);
        e.pngAt = pictures + at;
        entries.insert(path, e);
    }
    if (in.status() != QDataStream::Ok || size != devicePixels) {
        if (in.status() != QDataStream::Ok)
            qCInfo(lcIcons) << "damaged icon cache, ignored";
        return;
    }
    file_ = std::move(file);
    applicationsStamp_ = applicationsStamp;
    // Pictures found in a theme or through the application folders are shown, but checked again
    // once the window is up, when either changed since they were drawn.
    const bool machineChanged = theme != theme_ || !unchanged(themeTimes) || !unchanged(applicationTimes);
    if (machineChanged)
        for (Entry& e : entries)
            e.unchecked = e.machine;
    entries_ = std::move(entries);
}

std::shared_ptr<const ThemeIconFiles> ProgramIconCache::themeFilesLocked()
{
    if (!themeFiles_)
        themeFiles_ =
            std::make_shared<const ThemeIconFiles>(theme_.theme, theme_.fallback, theme_.searchPaths);
    return themeFiles_;
}

std::shared_ptr<const ApplicationIndex> ProgramIconCache::indexWithoutReading()
{
    QMutexLocker lock(&indexMutex_);
    if (index_)
        return index_;
    const auto payload = readCacheFile(folder_ + u'/' + kApplicationsFile, kApplications);
    if (!payload)
        return nullptr;
    QDataStream in(*payload);
    auto index = ApplicationIndex::load(in);
    if (!index) {
        qCInfo(lcIcons) << "damaged application index, ignored";
        return nullptr;
    }
    if (!index->upToDate(ApplicationIndex::folders()))
        return nullptr;
    index_ = std::make_shared<const ApplicationIndex>(std::move(*index));
    return index_;
}

std::shared_ptr<const ApplicationIndex> ProgramIconCache::applications()
{
    const QStringList folders = ApplicationIndex::folders();
    // The index in memory is checked here; one read from its file was checked as it was read.
    std::shared_ptr<const ApplicationIndex> held;
    {
        QMutexLocker lock(&indexMutex_);
        held = index_;
    }
    if (held ? held->upToDate(folders) : bool(held = indexWithoutReading()))
        return held;
    auto index = std::make_shared<const ApplicationIndex>(ApplicationIndex::scan(folders));
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    index->save(out);
    writeCacheFile(folder_, kApplicationsFile, kApplications, payload);
    QMutexLocker lock(&indexMutex_);
    index_ = index;
    return index;
}

void ProgramIconCache::prepare(const QStringList& paths, int devicePixels)
{
    QMutexLocker lock(&mutex_);
    loadLocked(devicePixels);
    std::shared_ptr<const ApplicationIndex> index;
    bool askedIndex = false;
    for (const QString& path : paths) {
        if (path.isEmpty() || decoded_.contains(path))
            continue;
        std::optional<QByteArray> png = keptPngLocked(path);
        if (!png) {
            // Not kept, its files changed or its picture damaged: drawn now, with the index only
            // when it is kept.
            if (!std::exchange(askedIndex, true))
                index = indexWithoutReading();
            png =
                entries_.insert(path, freshEntry(path, devicePixels, index.get(), *themeFilesLocked()))->png;
            dirty_ = true;
        }
        decoded_.insert(path, imageOf(*png));
    }
}

QImage ProgramIconCache::picture(const QString& path, int devicePixels)
{
    if (path.isEmpty())
        return {};
    QMutexLocker lock(&mutex_);
    loadLocked(devicePixels_ > 0 ? devicePixels_ : devicePixels);
    if (devicePixels != devicePixels_) {
        // Another size than the one kept: drawn, not kept.
        QMutexLocker indexLock(&indexMutex_);
        return drawIconFile(findIconSource(path, index_.get(), *themeFilesLocked(), devicePixels).file,
                            devicePixels);
    }
    if (const auto d = decoded_.constFind(path); d != decoded_.constEnd())
        return *d;
    std::optional<QByteArray> png = keptPngLocked(path);
    if (!png) {
        // The kept index is read when it is not in memory; the folders are never read here (a
        // missing index is built after the first paint).
        const std::shared_ptr<const ApplicationIndex> index = indexWithoutReading();
        png = entries_.insert(path, freshEntry(path, devicePixels, index.get(), *themeFilesLocked()))->png;
        dirty_ = true;
    }
    return imageOf(*png);
}

QStringList ProgramIconCache::refresh(const QStringList& paths, int devicePixels, std::stop_token stop)
{
    const std::shared_ptr<const ApplicationIndex> index = applications();
    std::shared_ptr<const ThemeIconFiles> theme;
    {
        QMutexLocker lock(&mutex_);
        loadLocked(devicePixels);
        theme = themeFilesLocked();
        // An entry edited in place changes no folder's time, but the index read since: what was
        // found through the application folders is checked again.
        if (index->stamp() != applicationsStamp_)
            for (Entry& e : entries_)
                e.unchecked = e.unchecked || e.machine;
    }
    QStringList changed;
    bool dirty = false;        // the file is written only when something was drawn or dropped
    int drawn = 0;             // since it was last written
    QStringList order = paths; // the tiles' programs come first: they are kept first
    order.removeDuplicates();
    order.removeAll(QString());
    const QSet<QString> wanted(order.begin(), order.end());
    for (qsizetype done = 0; done < order.size(); ++done) {
        const QString& path = order[done];
        if (stop.stop_requested())
            return changed;
        if ((done == kKeptFirst || drawn >= kKeptEvery) && dirty) {
            save();
            drawn = 0;
        }
        std::optional<Entry> old;
        {
            // A kept picture whose bytes are damaged is drawn again, as one not kept.
            QMutexLocker lock(&mutex_);
            if (const auto it = entries_.constFind(path); it != entries_.constEnd()) {
                if (std::optional<QByteArray> png = pngLocked(path, *it)) {
                    old = *it;
                    old->png = *std::move(png);
                }
            }
        }
        if (old && !old->unchecked && current(*old, path))
            continue;
        Entry e = freshEntry(path, devicePixels, index.get(), *theme);
        dirty = true;
        ++drawn;
        QMutexLocker lock(&mutex_);
        if (!old || old->png != e.png)
            changed << path;
        decoded_.remove(path);
        entries_.insert(path, std::move(e));
    }
    {
        // Programs no window shows any more are not kept.
        QMutexLocker lock(&mutex_);
        dirty = dirty || dirty_;
        for (auto it = entries_.begin(); it != entries_.end();) {
            const bool keep = wanted.contains(it.key());
            dirty = dirty || !keep;
            it = keep ? std::next(it) : entries_.erase(it);
        }
    }
    if (dirty)
        save();
    {
        // The index is read again from its file when it is needed, which is seldom after this.
        QMutexLocker indexLock(&indexMutex_);
        index_.reset();
    }
    // What the drawing took on this thread goes back to the system.
    releaseFreedMemory();
    return changed;
}

void ProgramIconCache::setTheme(const IconThemeChoice& theme)
{
    QMutexLocker lock(&mutex_);
    if (theme == theme_)
        return;
    theme_ = theme;
    themeFiles_.reset();
    for (Entry& e : entries_)
        e.unchecked = e.unchecked || e.machine;
}

IconThemeChoice ProgramIconCache::theme() const
{
    QMutexLocker lock(&mutex_);
    return theme_;
}

bool ProgramIconCache::checked(const QString& path) const
{
    QMutexLocker lock(&mutex_);
    const auto it = entries_.constFind(path);
    return it != entries_.constEnd() && !it->unchecked;
}

std::optional<QByteArray> ProgramIconCache::pngLocked(const QString& path, const Entry& e) const
{
    if (e.pngAt < 0)
        return e.png;
    QByteArray png;
    if (file_ && file_->seek(e.pngAt))
        png = file_->read(e.pngSize);
    if (png.size() != e.pngSize || checksum(png) != e.pngSum) {
        qCInfo(lcIcons) << "damaged picture in the icon cache, to be drawn again:" << path;
        return std::nullopt;
    }
    return png;
}

std::optional<QByteArray> ProgramIconCache::keptPngLocked(const QString& path) const
{
    const auto it = entries_.constFind(path);
    if (it == entries_.constEnd() || !current(*it, path))
        return std::nullopt;
    return pngLocked(path, *it);
}

QHash<QString, QByteArray> ProgramIconCache::picturesLocked()
{
    QHash<QString, QByteArray> pngs;
    for (auto it = entries_.begin(); it != entries_.end();) {
        if (std::optional<QByteArray> png = pngLocked(it.key(), *it)) {
            pngs.insert(it.key(), *std::move(png));
            ++it;
        } else {
            it = entries_.erase(it);
        }
    }
    return pngs;
}

bool ProgramIconCache::save()
{
    // Times no folder has: the next start checks every picture again.
    const QList<FolderTime> recheck{{QString(), -2}};
    const std::shared_ptr<const ApplicationIndex> index = indexWithoutReading();
    QMutexLocker lock(&mutex_);
    const QList<FolderTime> applicationTimes = index ? index->folderTimes() : recheck;
    const PictureLayout layout = layOut(picturesLocked());
    // Unchecked pictures are kept as they are; the next start checks them again.
    bool anyUnchecked = false;
    for (const Entry& e : std::as_const(entries_))
        anyUnchecked = anyUnchecked || e.unchecked;
    QByteArray table;
    QDataStream out(&table, QIODevice::WriteOnly);
    const QList<FolderTime> themeTimes = anyUnchecked ? recheck : themeFilesLocked()->folderTimes();
    applicationsStamp_ = index ? index->stamp() : 0;
    out << theme_.theme << theme_.fallback << theme_.searchPaths << qint32(devicePixels_) << themeTimes
        << applicationTimes << applicationsStamp_ << qint64(entries_.size());
    for (auto it = entries_.cbegin(); it != entries_.cend(); ++it) {
        const Entry& e = *it;
        const PictureLayout::Place place = layout.places.value(it.key());
        out << it.key() << e.programSize << e.programTime << e.source << e.sourceTime << e.machine << place.at
            << place.size << place.sum;
    }
    if (!writeCacheFile(folder_, kIconsFile, kIcons, table, layout.pictures))
        return false;
    dirty_ = false;
    // The pictures are read from the file just written from now on.
    auto file = std::make_unique<QFile>(folder_ + u'/' + kIconsFile);
    if (!file->open(QIODevice::ReadOnly))
        return true;
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        const PictureLayout::Place place = layout.places.value(it.key());
        it->pngAt = picturesAt(table) + place.at;
        it->pngSize = place.size;
        it->pngSum = place.sum;
        it->png.clear();
    }
    file_ = std::move(file);
    return true;
}

} // namespace qbx
