#include "platform/Fonts.h"

#include <fontconfig/fontconfig.h>

#include <memory>

namespace qbx {

namespace {

template <auto Destroy>
struct Destroyer {
    template <typename T>
    void operator()(T* p) const
    {
        Destroy(p);
    }
};
using Pattern = std::unique_ptr<FcPattern, Destroyer<FcPatternDestroy>>;
using ObjectSet = std::unique_ptr<FcObjectSet, Destroyer<FcObjectSetDestroy>>;
using FontSet = std::unique_ptr<FcFontSet, Destroyer<FcFontSetDestroy>>;

} // namespace

bool fontFamilyInstalled(const QStringList& families)
{
    for (const QString& family : families) {
        const Pattern pattern(FcPatternCreate());
        const ObjectSet names(FcObjectSetBuild(FC_FAMILY, nullptr));
        if (!pattern || !names)
            return false;
        const QByteArray utf8 = family.toUtf8();
        FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(utf8.constData()));
        const FontSet fonts(FcFontList(nullptr, pattern.get(), names.get()));
        if (fonts && fonts->nfont > 0)
            return true;
    }
    return false;
}

} // namespace qbx
