#include "ui/LanguageModule.h"

#include "ui/PackedIconEngine.h"
#include "ui/PackedImage.h"
#include "ui/RccArchive.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QResource>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

const LanguageModule *g_current = nullptr;

const QString kRoot = QStringLiteral("/tav-language");
// A module is a few hundred kilobytes; anything far larger is not one.
constexpr qint64 kMaxModuleSize = 64 * 1024 * 1024;

// The bytes of one resource, without a copy: they stay valid while the module is
// registered, which outlasts every use of them.
QByteArray readResource(const QString &path) {
    const QResource resource(path);
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression)
        return {};
    return QByteArray::fromRawData(reinterpret_cast<const char *>(resource.data()),
                                   static_cast<qsizetype>(resource.size()));
}

// The whole file, read only when it is a regular file of at most limit bytes: a FIFO
// would block the read forever and a device could be read without end. The checks are
// made on the opened file, so a file swapped after the check is still caught.
std::optional<QByteArray> readRegularFile(const QString &path, qint64 limit, QString *reason) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *reason = QString::fromLocal8Bit(std::strerror(errno));
        return std::nullopt;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > limit) {
        ::close(fd);
        *reason = QStringLiteral("not a regular file of at most %1 bytes").arg(limit);
        return std::nullopt;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *reason = file.errorString();
        return std::nullopt;
    }
    QByteArray data = file.read(limit + 1);
    if (data.size() > limit || file.error() != QFileDevice::NoError) {
        *reason = QStringLiteral("cannot be read whole");
        return std::nullopt;
    }
    return data;
}

} // namespace

QString LanguageModule::fileName() {
    return QStringLiteral("lang_en.rcc");
}

QStringList LanguageModule::defaultSearchDirs() {
    const QString programDir = QCoreApplication::applicationDirPath();
    return {programDir, QDir::cleanPath(programDir + QStringLiteral("/" TAV_DATADIR_FROM_BINDIR))};
}

const LanguageModule *LanguageModule::current() {
    return g_current;
}

void LanguageModule::setCurrent(const LanguageModule *module) {
    g_current = module;
    // Icon 128 is the icon of every window of the program, set once for all of them; a
    // module without it leaves the windows without one of their own.
    constexpr int kApplicationIcon = 128;
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
        QGuiApplication::setWindowIcon(module != nullptr ? module->icon(kApplicationIcon)
                                                         : QIcon());
}

std::unique_ptr<LanguageModule> LanguageModule::open(const QString &path, QString *reason) {
    std::optional<QByteArray> data = readRegularFile(path, kMaxModuleSize, reason);
    if (!data)
        return nullptr;
    const auto *bytes = reinterpret_cast<const unsigned char *>(data->constData());
    if (!RccArchive::isWellFormed(bytes, static_cast<std::size_t>(data->size()))) {
        *reason = QStringLiteral("not a well-formed resource file");
        return nullptr;
    }
    std::unique_ptr<LanguageModule> module(new LanguageModule(path, std::move(*data)));
    if (!module->m_registered) {
        *reason = QStringLiteral("the resources cannot be registered");
        return nullptr;
    }
    if (!module->readLayouts(reason))
        return nullptr;
    return module;
}

std::unique_ptr<LanguageModule> LanguageModule::load(const QStringList &searchDirs,
                                                     QString *error) {
    QString reason;
    for (const QString &dir : searchDirs) {
        if (dir.isEmpty() || QDir::isRelativePath(dir))
            continue;
        const QString path = QDir(dir).filePath(fileName());
        if (!QFileInfo::exists(path))
            continue;
        std::unique_ptr<LanguageModule> module = open(path, &reason);
        if (module)
            return module;
        if (error != nullptr)
            *error = path + QStringLiteral(": ") + reason;
        return nullptr;
    }
    if (error != nullptr)
        *error =
            fileName() + QStringLiteral(" not found in ") + searchDirs.join(QStringLiteral(", "));
    return nullptr;
}

LanguageModule::LanguageModule(QString path, QByteArray data)
    : m_path(std::move(path)), m_data(std::move(data)) {
    const auto *bytes = reinterpret_cast<const uchar *>(m_data.constData());
    m_registered = QResource::registerResource(bytes, kRoot);
    if (m_registered)
        m_strings =
            StringTable::fromJson(readResource(resourcePath(QStringLiteral("strings.json"))));
}

LanguageModule::~LanguageModule() {
    if (m_registered)
        QResource::unregisterResource(reinterpret_cast<const uchar *>(m_data.constData()), kRoot);
}

QString LanguageModule::resourcePath(const QString &relative) const {
    return QLatin1Char(':') + kRoot + QLatin1Char('/') + relative;
}

bool LanguageModule::readLayouts(QString *error) {
    const QDir dir(resourcePath(QStringLiteral("layouts")));
    const QStringList names = dir.entryList(QDir::Files);
    for (const QString &name : names) {
        bool numbered = false;
        const int id = QFileInfo(name).completeBaseName().toInt(&numbered);
        std::optional<DialogLayout> layout =
            DialogLayout::fromJson(readResource(dir.filePath(name)), error);
        if (!layout)
            return false;
        if (!numbered || layout->id != id || !name.endsWith(QLatin1String(".json"))) {
            *error = QStringLiteral("layouts/%1 holds layout %2").arg(name).arg(layout->id);
            return false;
        }
        m_layouts.insert(id, std::move(*layout));
    }
    return true;
}

std::optional<DialogLayout> LanguageModule::layout(int id) const {
    const auto it = m_layouts.constFind(id);
    if (it == m_layouts.constEnd())
        return std::nullopt;
    return *it;
}

std::optional<QString> LanguageModule::string(unsigned id) const {
    return m_strings.text(id);
}

QPixmap LanguageModule::bitmap(int id) const {
    // Drawn in place from the module's bytes, which the picture keeps a share of.
    return QPixmap::fromImage(PackedImage::unpack(
        readResource(resourcePath(QStringLiteral("bitmaps/%1").arg(id))), m_data));
}

QIcon LanguageModule::icon(int id) const {
    // Each image is named by its side in pixels.
    const QDir dir(resourcePath(QStringLiteral("icons/%1").arg(id)));
    QMap<int, QString> images;
    const QStringList names = dir.entryList(QDir::Files);
    for (const QString &name : names) {
        const int side = name.toInt();
        if (side > 0)
            images.insert(side, dir.filePath(name));
    }
    if (images.isEmpty())
        return {};
    return QIcon(new PackedIconEngine(std::move(images), m_data));
}
