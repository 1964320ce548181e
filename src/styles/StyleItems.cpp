#include "styles/StyleItems.h"

#include "styles/StyleData.h"

namespace styleitems
{

std::optional<Box> parseBox(std::string_view item)
{
    const auto values = styledata::parseInts(item, 4);
    if (!values || styledata::splitFields(item, ',').size() != 4)
        return std::nullopt;
    return Box{(*values)[0], (*values)[1], (*values)[2], (*values)[3]};
}

std::optional<LabelledBox> parseLabelledBox(std::string_view item)
{
    // The fourth number runs up to the fourth "," (or the end); the rest may hold commas.
    size_t cut = 0;
    int commas = 0;
    while (cut < item.size() && commas < 4) {
        if (item[cut] == ',')
            ++commas;
        ++cut;
    }
    const std::string_view numbers = commas == 4 ? item.substr(0, cut - 1) : item;
    const auto box = parseBox(numbers);
    if (!box)
        return std::nullopt;
    return LabelledBox{*box, commas == 4 ? std::string(item.substr(cut)) : std::string()};
}

} // namespace styleitems
