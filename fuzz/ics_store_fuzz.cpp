// Feeds arbitrary bytes to the reading of a calendar file, as another program, a damaged disk or a
// hostile sender could leave it: no text may crash the reader or make it run away. A text the store
// accepts must take a new event while every byte it had stays, and be accepted again with that event
// among its own: the store's outline of the text and libical's reading of it agree.
#include "calstore/IcsEvent.h"
#include "calstore/IcsFileStore.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    [[maybe_unused]] const auto events = kal::ReadEvents(std::string(text));
    const kal::IcsStoreText read = kal::ReadIcsStore(text);
    if (!read.status.Ok())
        return 0;
    if (read.insertAt > text.size() || (read.lineEnd != "\n" && read.lineEnd != "\r\n"))
        __builtin_trap();
    kal::Appointment appointment;
    appointment.subject = u"追加";
    appointment.start = kal::CDTime::FromInstant(1780308000);
    appointment.end = appointment.start;
    const std::string added = kal::NewEventText(appointment, read.lineEnd);
    const std::string whole
        = std::string(text.substr(0, read.insertAt)) + added + std::string(text.substr(read.insertAt));
    const kal::IcsStoreText again = kal::ReadIcsStore(whole);
    if (!again.status.Ok() || again.insertAt != read.insertAt + added.size()
        || again.events.size() != read.events.size() + 1)
        __builtin_trap(); // the event added went missing, or the file became one the store refuses
    return 0;
}
