#include "sim/demo_race.h"

#include <cstdio>

#include "sim/fields.h"

namespace rx::sim {

namespace {

std::string Digits(long tenThousandths) {
  const long seconds = tenThousandths / 10000;
  char text[48];
  std::snprintf(text, sizeof text, "%02ld%02ld%02ld%04ld", seconds / 3600, seconds / 60 % 60,
                seconds % 60, tenThousandths % 10000);
  return text;
}

std::string Bib(int number) {
  char text[8];
  std::snprintf(text, sizeof text, "%03d", number);
  return text;
}

// A spread that looks like racing without a random generator.
long Spread(int bib, int salt) { return (bib * 7919L + salt * 104729L) % 90000; }

constexpr long kSecond = 10000;

}  // namespace

void FillDemoRace(DeviceMemory& memory) {
  const int kDnf[] = {7, 23, 48};
  const int kNoSecondRun[] = {15, 36};
  auto in = [](const auto& list, int bib) {
    for (int b : list) {
      if (b == bib) return true;
    }
    return false;
  };

  for (int bib = 1; bib <= 60; ++bib) {
    const char block = BlockCode(1 + (bib - 1) / 20);
    const std::string b = Bib(bib);
    // Finish times of day of the second run, a start every 40 seconds from 11:00.
    memory.Put(MemoryKind::Course, block, b,
               Digits((11 * 3600 + 40L * bib + 50) * kSecond + Spread(bib, 1) * 10));
    if (in(kDnf, bib)) {
      memory.Put(MemoryKind::Dnf, block, b, kNoTime);
      continue;
    }
    memory.Put(MemoryKind::FirstRun, block, b, Digits(48 * kSecond + Spread(bib, 2) * 2));
    if (!in(kNoSecondRun, bib)) {
      memory.Put(MemoryKind::SecondRun, block, b, Digits(50 * kSecond + Spread(bib, 3) * 2));
    }
  }

  struct Team {
    char block;
    int bib;
    int legs;
  };
  const Team kTeams[] = {{'1', 101, 4}, {'1', 102, 3}, {'1', 103, 4}, {'2', 201, 3}, {'2', 202, 3}};
  for (const Team& t : kTeams) {
    RelayTeam team;
    long total = 0;
    for (int leg = 0; leg < t.legs; ++leg) {
      // Leg times in tenths, as the terminal writes them.
      const long time = (24 * 60 + (t.bib * 31 + leg * 97) % 300) * kSecond + (t.bib + leg) % 10 * 1000;
      team.legs.push_back(Digits(time));
      total += time;
    }
    team.total = Digits(total);
    memory.PutTeam(t.block, Bib(t.bib), team);
  }
  memory.Put(MemoryKind::RelayCourse, '1', kRelayCourseBib, Digits(9L * 3600 * kSecond + 30 * 60 * kSecond));
  memory.Put(MemoryKind::RelayCourse, '2', kRelayCourseBib, Digits(10L * 3600 * kSecond + 15 * 60 * kSecond));
}

}  // namespace rx::sim
