// Layer: pure core (no <windows.h>, built natively too).
// The numbers in folder names: the runs of the folder creator and the
// numbered folders the floppy saver copies disks into. Pure code: no window,
// file or clock.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The value of the first run of decimal digits in the text, 0 when it has
// none. A run too long for 32 bits gives the largest value, never a wrapped one.
int32_t FirstNumberIn(const std::string& text);

// The index a floppy folder name stands for: its first number, and 1 for a
// name whose number is 0 or missing ("Floppy" is the first folder).
int32_t IndexFromName(const std::string& name);

// The text before the first digit: "Floppy" of "Floppy007".
std::string CutAtFirstDigit(const std::string& name);

// The floppy folder of this index: the base name with the index padded to at
// least three digits ("Floppy007", "Floppy1000").
std::string FloppyFolderName(const std::string& base, int32_t index);

// The index after the highest that these folder names stand for (1 when there
// is none): where the next floppy goes. "." and ".." are not folders of a run.
int32_t NextFolderIndex(const std::vector<std::string>& existingFolders);

// The index after this one, held at the largest value: the floppy after that
// one goes into the same folder, where the user is asked first.
int32_t FollowingIndex(int32_t index);

// How a number typed for a run reads.
enum class NumberReading { Number, Empty, NotDigits, TooLarge };

// Reads a whole number written with the digits 0 to 9 only, blanks around it
// allowed; `value` is set only for NumberReading::Number.
NumberReading ReadRunNumber(const std::string& text, int32_t& value);

// Runs longer than this are made only after the user agreed to the count.
constexpr int64_t kLargeRun = 10000;

// How many folders the run from `start` to `last` (both included) makes; 0
// when `last` is below `start`.
int64_t RunLength(int32_t start, int32_t last);

// The name of folder `number` of a run ending at `last`: the name followed by
// the number, padded with zeros to as many digits as `last` has (a run up to
// 12 gives Disk01 ... Disk12).
std::string RunFolderName(const std::string& name, int32_t number, int32_t last);
