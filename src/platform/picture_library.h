#pragma once

#include "platform/picture.h"

#include <QString>
#include <QStringList>

#include <map>
#include <utility>
#include <vector>

namespace ovanto {

enum class PictureStore { None, BuiltIn, User };

// The numbered pictures: the built-in store QEVBMPLIB/ beside the library and
// the user store QEVUSERBMPLIB/ (beside the library, then in the user's data
// directory). A picture is "<id>.bmp" or "<id>.png"; ids run from 1 to 65535.
// The directories are read once, on first use, and again after rescan().
// Pictures the program draws itself join the built-in store under their ids;
// a file of the same id in the built-in directory takes their place.
class PictureLibrary {
public:
    using PictureMaker = QImage (*)();
    // Process-wide; a second registration of an id replaces the first.
    static void registerBuiltIn(int id, PictureMaker make);
    // Ascending; ids() lists only the files of a store.
    static std::vector<int> generatedIds();

    PictureLibrary();
    PictureLibrary(QString builtInDirectory, QStringList userDirectories);

    static QString defaultBuiltInDirectory();
    static QStringList defaultUserDirectories();

    const QString& builtInDirectory() const { return m_builtInDirectory; }
    const QStringList& userDirectories() const { return m_userDirectories; }

    // Built-in store first, then the user store.
    bool contains(int id) const { return storeOf(id) != PictureStore::None; }
    bool contains(PictureStore store, int id) const;
    PictureStore storeOf(int id) const;
    QString filePath(PictureStore store, int id) const;
    // Ascending.
    std::vector<int> ids(PictureStore store) const;

    // An empty picture when the id is in neither store or its file is unreadable.
    // Loaded pictures are kept; callers get copies that share the pixels.
    Picture load(int id);
    Picture load(PictureStore store, int id);

    // Reads the directories again and forgets the loaded pictures.
    void rescan();

private:
    using Index = std::map<int, QString>;

    void ensureIndexed() const;
    const Index* indexOf(PictureStore store) const;

    QString m_builtInDirectory;
    QStringList m_userDirectories;
    mutable bool m_indexed = false;
    mutable Index m_builtIn;
    mutable Index m_user;
    std::map<std::pair<PictureStore, int>, Picture> m_cache;
};

} // namespace ovanto
