// qbx-gbk-tables <file.cpp>: writes the GBK tables the store reads, as C++ data, from the build
// machine's converter (iconv), so the program never builds them while it starts.
// It fails, writing nothing, when the converter has no GBK or leaves most of it out.

#include "store/GbkTables.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iconv.h>
#include <system_error>

namespace {

using qbx::gbk::Tables;

// One descriptor for every code; the shift state is reset before each.
class IconvPairDecoder {
public:
    IconvPairDecoder() : cd_(iconv_open("UTF-16LE", "GBK")) {}
    ~IconvPairDecoder()
    {
        if (ok())
            iconv_close(cd_);
    }
    IconvPairDecoder(const IconvPairDecoder&) = delete;
    IconvPairDecoder& operator=(const IconvPairDecoder&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    char16_t operator()(unsigned lead, unsigned trail)
    {
        char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        unsigned char out[8] = {};
        char* inp = in;
        char* outp = reinterpret_cast<char*>(out);
        std::size_t inLeft = 2;
        std::size_t outLeft = sizeof out;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        const std::size_t r = iconv(cd_, &inp, &inLeft, &outp, &outLeft);
        if (r == static_cast<std::size_t>(-1) || inLeft != 0 || sizeof out - outLeft != 2)
            return 0;
        return static_cast<char16_t>(out[0] | (out[1] << 8));
    }

private:
    iconv_t cd_;
};

template <typename Array>
void writeArray(std::ostream& out, const Array& values)
{
    out << "{{\n";
    for (std::size_t i = 0; i < values.size(); ++i) {
        out << "0x" << std::hex << static_cast<unsigned>(values[i]) << (i + 1 == values.size() ? "" : ",");
        if (i % 16 == 15 || i + 1 == values.size())
            out << '\n';
    }
    out << "}}";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: qbx-gbk-tables <file.cpp>\n");
        return 2;
    }
    IconvPairDecoder decoder;
    if (!decoder.ok()) {
        std::fprintf(stderr, "qbx-gbk-tables: this system's iconv has no GBK converter\n");
        return 1;
    }
    const std::unique_ptr<Tables> t = qbx::gbk::buildTables(std::ref(decoder));
    // GBK has 21,886 characters and Windows' user-defined areas add 1,894: a converter that
    // gives far fewer is not GBK.
    std::size_t characters = 0;
    for (char16_t cp : t->decode)
        characters += cp != 0;
    if (characters < 23000) {
        std::fprintf(stderr, "qbx-gbk-tables: the converter gave only %zu GBK characters\n", characters);
        return 1;
    }

    const std::filesystem::path target = argv[1];
    const std::filesystem::path partial = target.string() + ".partial";
    {
        std::ofstream out(partial, std::ios::trunc);
        out << "// Made by qbx-gbk-tables from the build machine's GBK converter.\n"
               "#include \"store/GbkTables.h\"\n\n"
               "namespace qbx::gbk {\nnamespace {\n\nconstinit const Tables kTables{";
        writeArray(out, t->decode);
        out << ",\n";
        writeArray(out, t->encode);
        out << "};\n\n} // namespace\n\nconst Tables& tables()\n{\n    return kTables;\n}\n\n"
               "} // namespace qbx::gbk\n";
        if (!out.flush()) {
            std::fprintf(stderr, "qbx-gbk-tables: cannot write %s\n", partial.c_str());
            return 1;
        }
    }
    std::error_code renamed;
    std::filesystem::rename(partial, target, renamed);
    if (renamed) {
        std::fprintf(stderr, "qbx-gbk-tables: cannot write %s: %s\n", target.c_str(),
                     renamed.message().c_str());
        return 1;
    }
    return 0;
}
