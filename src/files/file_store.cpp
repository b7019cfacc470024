#include "files/file_store.h"

namespace tapwell {

FilePath extendedLengthPath(std::u16string_view fullPath) {
    FilePath path(fullPath);
    if (path.starts_with(u"\\\\?\\") || path.starts_with(u"\\\\.\\"))
        return path;
    // The extended form is taken as it stands: no separator is converted later.
    for (char16_t& c : path)
        if (c == u'/')
            c = u'\\';
    if (path.starts_with(u"\\\\"))
        return u"\\\\?\\UNC\\" + path.substr(2);
    const bool drive =
        path.size() >= 3 && path[1] == u':' && path[2] == u'\\' &&
        ((path[0] >= u'A' && path[0] <= u'Z') || (path[0] >= u'a' && path[0] <= u'z'));
    return drive ? u"\\\\?\\" + path : FilePath(fullPath);
}

} // namespace tapwell
