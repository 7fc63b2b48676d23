#include "platform/IconCache.h"

#include "IconSources.h"
#include "ThemeIconFiles.h"
#include "platform/Logging.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

namespace qbx {

// Found by the streaming of the entries' table (argument-dependent look-up).
static QDataStream& operator<<(QDataStream& s, const ProgramIconCache::Entry& e)
{
    return s << e.programSize << e.programTime << e.source << e.sourceTime << e.machine << e.png;
}

static QDataStream& operator>>(QDataStream& s, ProgramIconCache::Entry& e)
{
    return s >> e.programSize >> e.programTime >> e.source >> e.sourceTime >> e.machine >> e.png;
}

namespace {

// The cache files start with their kind and the version of their layout; a file of another
// version is ignored and written anew.
constexpr quint32 kIconsMagic = 0x51425849;        // "QBXI"
constexpr quint32 kApplicationsMagic = 0x51425841; // "QBXA"
constexpr quint32 kVersion = 1;
constexpr qint64 kMaxFileBytes = qint64{256} << 20;
// After this many programs the cache is written once before the rest are checked, so that the
// next start finds the tiles' pictures even when this one ends early.
constexpr qsizetype kKeptFirst = 8;

const QString kIconsFile = QStringLiteral("icons.cache");
const QString kApplicationsFile = QStringLiteral("applications.cache");

bool unchanged(const QList<FolderTime>& times)
{
    return std::all_of(times.begin(), times.end(),
                       [](const FolderTime& t) { return modificationTime(t.path) == t.mtime; });
}

// The payload of a cache file; nullopt when it is missing, of another kind or version, or damaged.
std::optional<QByteArray> readCacheFile(const QString& file, quint32 magic)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (f.size() > kMaxFileBytes) {
        qCInfo(lcIcons) << "cache file too large, ignored:" << file;
        return std::nullopt;
    }
    QDataStream in(&f);
    quint32 m = 0, version = 0;
    in >> m >> version;
    if (m != magic || version != kVersion) {
        qCInfo(lcIcons) << "cache file of another kind or version, ignored:" << file;
        return std::nullopt;
    }
    QByteArray payload;
    quint16 sum = 0;
    in >> payload >> sum;
    if (in.status() != QDataStream::Ok || qChecksum(payload) != sum) {
        qCInfo(lcIcons) << "damaged cache file, ignored:" << file;
        return std::nullopt;
    }
    return payload;
}

bool writeCacheFile(const QString& folder, const QString& name, quint32 magic, const QByteArray& payload)
{
    const QString file = folder + u'/' + name;
    if (!QDir().mkpath(folder)) {
        qCWarning(lcIcons) << "cannot make the cache folder" << folder;
        return false;
    }
    QSaveFile f(file);
    if (f.open(QIODevice::WriteOnly)) {
        QDataStream out(&f);
        out << magic << kVersion << payload << qChecksum(payload);
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

QImage imageOf(const QByteArray& png)
{
    return png.isEmpty() ? QImage() : QImage::fromData(png, "png");
}

// Whether the files that decided an entry are as they were.
bool current(const ProgramIconCache::Entry& e, const QString& path)
{
    const QFileInfo fi(path);
    const qint64 size = fi.isFile() ? fi.size() : -1;
    const qint64 time = fi.exists() ? fi.lastModified().toMSecsSinceEpoch() : -1;
    return size == e.programSize && time == e.programTime &&
           (e.source.isEmpty() || modificationTime(e.source) == e.sourceTime);
}

ProgramIconCache::Entry freshEntry(const QString& path, int devicePixels, const ApplicationIndex* index,
                                   const ThemeIconFiles& theme)
{
    ProgramIconCache::Entry e;
    const QFileInfo fi(path);
    e.programSize = fi.isFile() ? fi.size() : -1;
    e.programTime = fi.exists() ? fi.lastModified().toMSecsSinceEpoch() : -1;
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
    const auto payload = readCacheFile(folder_ + u'/' + kIconsFile, kIconsMagic);
    if (!payload)
        return;
    QDataStream in(*payload);
    IconThemeChoice theme;
    qint32 size = 0;
    QList<FolderTime> themeTimes, applicationTimes;
    QHash<QString, Entry> entries;
    in >> theme.theme >> theme.fallback >> theme.searchPaths >> size >> themeTimes >> applicationTimes >>
        entries;
    if (in.status() != QDataStream::Ok || size != devicePixels) {
        if (in.status() != QDataStream::Ok)
            qCInfo(lcIcons) << "damaged icon cache, ignored";
        return;
    }
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
    const auto payload = readCacheFile(folder_ + u'/' + kApplicationsFile, kApplicationsMagic);
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
    if (auto index = indexWithoutReading(); index && index->upToDate(folders))
        return index;
    auto index = std::make_shared<const ApplicationIndex>(ApplicationIndex::scan(folders));
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    index->save(out);
    writeCacheFile(folder_, kApplicationsFile, kApplicationsMagic, payload);
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
        auto it = entries_.find(path);
        if (it == entries_.end() || !current(*it, path)) {
            // Not kept, or its files changed: drawn now, with the index only when it is kept.
            if (!std::exchange(askedIndex, true))
                index = indexWithoutReading();
            it = entries_.insert(path, freshEntry(path, devicePixels, index.get(), *themeFilesLocked()));
            dirty_ = true;
        }
        decoded_.insert(path, imageOf(it->png));
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
    auto it = entries_.find(path);
    if (it == entries_.end() || !current(*it, path)) {
        std::shared_ptr<const ApplicationIndex> index;
        {
            QMutexLocker indexLock(&indexMutex_);
            index = index_; // never read here: a missing index is built after the first paint
        }
        it = entries_.insert(path, freshEntry(path, devicePixels, index.get(), *themeFilesLocked()));
        dirty_ = true;
    }
    return imageOf(it->png);
}

QStringList ProgramIconCache::refresh(const QStringList& paths, int devicePixels, std::stop_token stop)
{
    const std::shared_ptr<const ApplicationIndex> index = applications();
    std::shared_ptr<const ThemeIconFiles> theme;
    {
        QMutexLocker lock(&mutex_);
        loadLocked(devicePixels);
        theme = themeFilesLocked();
    }
    QStringList changed;
    bool dirty = false;        // the file is written only when something was drawn or dropped
    QStringList order = paths; // the tiles' programs come first: they are kept first
    order.removeDuplicates();
    order.removeAll(QString());
    const QSet<QString> wanted(order.begin(), order.end());
    for (qsizetype done = 0; done < order.size(); ++done) {
        const QString& path = order[done];
        if (stop.stop_requested())
            return changed;
        if (done == kKeptFirst && dirty)
            save();
        std::optional<Entry> old;
        {
            QMutexLocker lock(&mutex_);
            if (const auto it = entries_.constFind(path); it != entries_.constEnd())
                old = *it;
        }
        if (old && !old->unchecked && current(*old, path))
            continue;
        Entry e = freshEntry(path, devicePixels, index.get(), *theme);
        dirty = true;
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

bool ProgramIconCache::save()
{
    QByteArray payload;
    {
        QMutexLocker lock(&mutex_);
        QList<FolderTime> applicationTimes;
        {
            QMutexLocker indexLock(&indexMutex_);
            if (index_)
                applicationTimes = index_->folderTimes();
        }
        // Unchecked pictures are kept as they are; the next start checks them again.
        bool anyUnchecked = false;
        for (const Entry& e : std::as_const(entries_))
            anyUnchecked = anyUnchecked || e.unchecked;
        dirty_ = false;
        QDataStream out(&payload, QIODevice::WriteOnly);
        const QList<FolderTime> themeTimes =
            anyUnchecked ? QList<FolderTime>{{QString(), -2}} : themeFilesLocked()->folderTimes();
        out << theme_.theme << theme_.fallback << theme_.searchPaths << qint32(devicePixels_) << themeTimes
            << applicationTimes << entries_;
    }
    return writeCacheFile(folder_, kIconsFile, kIconsMagic, payload);
}

} // namespace qbx
