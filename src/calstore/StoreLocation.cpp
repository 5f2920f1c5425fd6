#include "calstore/StoreLocation.h"

#include "calstore/CalDavStore.h"
#include "calstore/IcsFileStore.h"

namespace kal {

std::unique_ptr<CalendarStore> MakeCalendarStore(
    const std::string& location, const std::string& user, const std::string& password)
{
    if (CalDavStore::IsUrl(location))
        return std::make_unique<CalDavStore>(location, user, password);
    return std::make_unique<IcsFileStore>(location.empty() ? IcsFileStore::DefaultPath() : location);
}

bool NeedsPassword(const std::string& location, const std::string& user)
{
    return CalDavStore::IsUrl(location) && !user.empty();
}

} // namespace kal
