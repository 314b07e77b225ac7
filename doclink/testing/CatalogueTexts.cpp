#include "CatalogueTexts.h"

#include <QString>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace doclink::testing {

std::vector<CatalogueText> ReadCatalogue()
{
    std::ifstream file(GLYPHBOARD_CATALOGUE);
    if (!file)
        throw std::runtime_error("cannot read " GLYPHBOARD_CATALOGUE);
    std::vector<CatalogueText> result;
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line.front() == '#')
            continue;
        std::vector<std::string> columns;
        std::istringstream fields(line);
        for (std::string column; std::getline(fields, column, '\t');)
            columns.push_back(column);
        if (columns.size() < 4)
            throw std::runtime_error("malformed catalogue line: " + line);
        CatalogueText entry{
            columns[0], std::stoi(columns[1]), {}, QString::fromStdString(columns[3]).toStdU16String()};
        std::istringstream codes(columns[2]);
        for (std::string code; codes >> code;)
            entry.text += static_cast<char16_t>(std::stoul(code.substr(2), nullptr, 16));
        result.push_back(std::move(entry));
    }
    return result;
}

} // namespace doclink::testing
