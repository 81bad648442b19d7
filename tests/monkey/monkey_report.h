#pragma once
// What the monkey says when something goes wrong: the seed, the event number and the
// event, and the last events before it. Kept in fixed buffers so that a signal handler
// can print them without allocating.
#include <cstdint>
#include <string>

namespace monkey {

// Every event and note is also printed as it happens (--trace).
void setTrace(bool on);

// The event about to run; also appended to the log of the last events.
void beginEvent(uint64_t seed, long event, const std::string& description);
// A line for the log that is not an event (a question answered, a message shown).
void note(const std::string& line);

// Prints "seed S event E: <event>", the reason, the log and the command that replays it.
void reportFault(const char* reason);

// Crash signals print the report and then go on to the handler that was there before
// (the sanitizers' when built with them, otherwise the default). A sanitizer report
// prints the report as the sanitizer dies. A watchdog turns an event that takes more than
// `seconds` into a report as well.
void installCrashReports(const char* program);
void armWatchdog(unsigned seconds);

}  // namespace monkey
