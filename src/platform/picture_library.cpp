#include "platform/picture_library.h"

#include "platform/module.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ovanto {

namespace {

constexpr int kMaxPictureId = 65535;

// The id of "<digits>.bmp" / "<digits>.png", or 0.
int pictureIdOf(const QFileInfo& file, bool& isBmp) {
    const QString suffix = file.suffix().toLower();
    isBmp = suffix == QLatin1String("bmp");
    if (!isBmp && suffix != QLatin1String("png")) return 0;
    const QString base = file.completeBaseName();
    if (base.isEmpty() || base.size() > 5) return 0;
    for (const QChar c : base) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return 0;
    }
    const int id = base.toInt();
    return id <= kMaxPictureId ? id : 0;
}

// Earlier directories win; within one directory a .bmp wins over a .png.
void indexDirectory(const QString& directory, std::map<int, QString>& index) {
    if (directory.isEmpty()) return;
    std::map<int, QString> found;
    const QFileInfoList files = QDir(directory).entryInfoList(QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& file : files) {
        bool isBmp = false;
        const int id = pictureIdOf(file, isBmp);
        if (id <= 0) continue;
        auto it = found.find(id);
        if (it == found.end())
            found.emplace(id, file.absoluteFilePath());
        else if (isBmp)
            it->second = file.absoluteFilePath();
    }
    index.merge(found);
}

std::map<int, PictureLibrary::PictureMaker>& generatedPictures() {
    static std::map<int, PictureLibrary::PictureMaker> makers;
    return makers;
}

} // namespace

void PictureLibrary::registerBuiltIn(int id, PictureMaker make) {
    if (id > 0 && id <= kMaxPictureId && make != nullptr) generatedPictures()[id] = make;
}

PictureLibrary::PictureLibrary() : PictureLibrary(defaultBuiltInDirectory(), defaultUserDirectories()) {
}

PictureLibrary::PictureLibrary(QString builtInDirectory, QStringList userDirectories)
    : m_builtInDirectory(std::move(builtInDirectory)), m_userDirectories(std::move(userDirectories)) {
}

QString PictureLibrary::defaultBuiltInDirectory() {
    const QString module = Module::directory();
    return module.isEmpty() ? QString() : module + QStringLiteral("/QEVBMPLIB");
}

QStringList PictureLibrary::defaultUserDirectories() {
    QStringList directories;
    const QString module = Module::directory();
    if (!module.isEmpty()) directories << module + QStringLiteral("/QEVUSERBMPLIB");
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!data.isEmpty()) directories << data + QStringLiteral("/ovanto/QEVUSERBMPLIB");
    return directories;
}

void PictureLibrary::ensureIndexed() const {
    if (m_indexed) return;
    m_builtIn.clear();
    m_user.clear();
    indexDirectory(m_builtInDirectory, m_builtIn);
    for (const QString& directory : m_userDirectories)
        indexDirectory(directory, m_user);
    m_indexed = true;
}

const PictureLibrary::Index* PictureLibrary::indexOf(PictureStore store) const {
    ensureIndexed();
    switch (store) {
    case PictureStore::BuiltIn:
        return &m_builtIn;
    case PictureStore::User:
        return &m_user;
    case PictureStore::None:
        break;
    }
    return nullptr;
}

bool PictureLibrary::contains(PictureStore store, int id) const {
    const Index* index = indexOf(store);
    if (index != nullptr && index->contains(id)) return true;
    return store == PictureStore::BuiltIn && generatedPictures().contains(id);
}

std::vector<int> PictureLibrary::generatedIds() {
    std::vector<int> result;
    for (const auto& entry : generatedPictures()) result.push_back(entry.first);
    return result;
}

PictureStore PictureLibrary::storeOf(int id) const {
    if (contains(PictureStore::BuiltIn, id)) return PictureStore::BuiltIn;
    if (contains(PictureStore::User, id)) return PictureStore::User;
    return PictureStore::None;
}

QString PictureLibrary::filePath(PictureStore store, int id) const {
    const Index* index = indexOf(store);
    if (index == nullptr) return {};
    const auto it = index->find(id);
    return it == index->end() ? QString() : it->second;
}

std::vector<int> PictureLibrary::ids(PictureStore store) const {
    std::vector<int> result;
    if (const Index* index = indexOf(store)) {
        result.reserve(index->size());
        for (const auto& entry : *index)
            result.push_back(entry.first);
    }
    return result;
}

Picture PictureLibrary::load(int id) {
    return load(storeOf(id), id);
}

Picture PictureLibrary::load(PictureStore store, int id) {
    if (!contains(store, id)) return {};
    const QString path = filePath(store, id);
    const auto key = std::make_pair(store, id);
    auto it = m_cache.find(key);
    // Unreadable files are remembered as empty pictures, so a paint does not retry them.
    if (it == m_cache.end()) {
        const auto generated = generatedPictures().find(id);
        Picture picture = !path.isEmpty() || generated == generatedPictures().end()
                              ? Picture::fromFile(path)
                              : Picture(generated->second());
        it = m_cache.emplace(key, std::move(picture)).first;
    }
    return it->second;
}

void PictureLibrary::rescan() {
    m_indexed = false;
    m_cache.clear();
}

} // namespace ovanto
