// qbx-pinyin: romanises text for the find box in a process of its own, so that the launcher never
// holds ICU's compiled transliteration rules (several megabytes) for the rest of its run. Reads
// UTF-8 lines on standard input and writes each line through ICU's "Han-Latin" then
// "Latin-ASCII" on standard output, one line for one line; a line ICU cannot read is written back
// as it came. Exits 1 when the transliteration cannot be opened.

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

int main()
{
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::Transliterator> toAscii(icu::Transliterator::createInstance(
        icu::UnicodeString(u"Han-Latin; Latin-ASCII"), UTRANS_FORWARD, status));
    if (U_FAILURE(status) || !toAscii) {
        std::fprintf(stderr, "qbx-pinyin: ICU cannot open Han-Latin; Latin-ASCII: %s\n", u_errorName(status));
        return 1;
    }
    std::ios::sync_with_stdio(false);
    std::string line;
    std::string out;
    while (std::getline(std::cin, line)) {
        icu::UnicodeString text = icu::UnicodeString::fromUTF8(line);
        toAscii->transliterate(text);
        out.clear();
        text.toUTF8String(out);
        std::cout << out << '\n';
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}
