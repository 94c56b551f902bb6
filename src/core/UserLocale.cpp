#include "core/UserLocale.h"

#include <clocale>

bool UseUserLocale()
{
    // Both or neither: date texts in a character set the program does not
    // read them in would come out empty.
    if (std::setlocale(LC_CTYPE, "") == nullptr)
        return false;
    if (std::setlocale(LC_TIME, "") == nullptr) {
        std::setlocale(LC_CTYPE, "C");
        return false;
    }
    return true;
}
