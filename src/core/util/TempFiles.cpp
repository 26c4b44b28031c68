#include "util/TempFiles.h"

#include <cctype>
#include <cstring>
#include <mutex>
#include <set>

namespace vorlix {

namespace {
bool isBase36(char c) { return std::isdigit(static_cast<unsigned char>(c)) || (c >= 'a' && c <= 'z'); }
} // namespace

bool isTemporaryName(const char *name)
{
    const size_t n = std::strlen(name);
    if (n < 8 || name[0] != '.' || std::strcmp(name + n - 4, ".tmp") != 0)
        return false;
    size_t i = n - 4;
    while (i > 1 && isBase36(name[i - 1]))
        --i;
    const size_t digits = n - 4 - i;
    return digits >= 1 && digits <= 7 && i >= 3 && name[i - 1] == '.';
}

bool firstCleanUpOf(const QString &folder)
{
    static std::mutex mutex;
    static std::set<QString> cleaned;
    std::lock_guard<std::mutex> lock(mutex);
    return cleaned.insert(folder).second;
}

} // namespace vorlix
