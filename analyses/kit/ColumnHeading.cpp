#include "analyses/kit/ColumnHeading.h"

#include <algorithm>

namespace {

// The text's words, blanks dropped.
std::vector<std::string> Words(const std::string &text)
{
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (c == ' ') {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

} // namespace

std::vector<std::string> WrapHeading(const std::string &text, int width, int maxLines)
{
    const size_t w = static_cast<size_t>(std::max(width, 1));
    const size_t most = static_cast<size_t>(std::max(maxLines, 1));
    std::vector<std::string> lines;
    std::string line;
    bool cut = false;
    for (std::string word : Words(text)) {
        while (!word.empty() && !cut) {
            if (line.empty()) {
                // A word longer than a line is broken inside it.
                line = word.substr(0, w);
                word.erase(0, std::min(w, word.size()));
            } else if (line.size() + 1 + word.size() <= w) {
                line += " " + word;
                word.clear();
            } else if (lines.size() + 1 == most) {
                cut = true;
            } else {
                lines.push_back(line);
                line.clear();
            }
        }
        if (cut)
            break;
    }
    if (cut) {
        // The last line shows that the heading goes on.
        line.resize(std::min(line.size(), w >= 2 ? w - 2 : 0));
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        line += "..";
        line.resize(std::min(line.size(), w));
    }
    lines.push_back(line);
    return lines;
}

std::string CutLabelToWidth(const std::string &label, int width)
{
    if (width <= 0)
        return std::string();
    if (static_cast<int>(label.size()) <= width)
        return label;
    std::string cut = label.substr(0, static_cast<size_t>(width));
    if (width >= 2)
        cut.replace(cut.size() - 2, 2, "..");
    return cut;
}

int HeadingLines(const std::vector<std::string> &texts, int width, int maxLines)
{
    int lines = 1;
    for (const std::string &text : texts)
        lines = std::max(lines, static_cast<int>(WrapHeading(text, width, maxLines).size()));
    return lines;
}
