#include "core/UserLocale.h"

#include <clocale>

bool UseUserDateLocale()
{
    return std::setlocale(LC_TIME, "") != nullptr;
}
