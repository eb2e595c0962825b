#include "controls/draw/WrapText.h"

namespace {
// The longest head of word that fits (at least one character).
size_t FittingHead(const std::wstring& word, int width, const std::function<int(const std::wstring&)>& measure)
{
    size_t n = 1;
    while (n < word.size() && measure(word.substr(0, n + 1)) <= width) ++n;
    return n;
}
}  // namespace

std::vector<std::wstring> WrapText(const std::wstring& text, int width,
                                   const std::function<int(const std::wstring&)>& measure)
{
    std::vector<std::wstring> lines;
    std::wstring line;
    size_t at = 0;
    while (at < text.size()) {
        const size_t space = text.find(L' ', at);
        std::wstring word = text.substr(at, space == std::wstring::npos ? std::wstring::npos : space - at);
        at = space == std::wstring::npos ? text.size() : space + 1;
        if (word.empty()) continue;
        const std::wstring joined = line.empty() ? word : line + L" " + word;
        if (measure(joined) <= width) {
            line = joined;
            continue;
        }
        if (!line.empty()) lines.push_back(line);
        line.clear();
        // A word wider than the width alone is cut where it must be.
        while (measure(word) > width && word.size() > 1) {
            const size_t head = FittingHead(word, width, measure);
            lines.push_back(word.substr(0, head));
            word.erase(0, head);
        }
        line = word;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}
