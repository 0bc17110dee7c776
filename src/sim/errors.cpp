#include "sim/errors.h"

namespace rx::sim {

int DuplicateError(MemoryKind kind) {
  switch (kind) {
    case MemoryKind::Course: return 101;
    case MemoryKind::Dnf: return 102;
    case MemoryKind::Untimed: return 107;
    case MemoryKind::RelayCourse: return 151;
    default: return 103;
  }
}

int MissingError(MemoryKind kind) {
  switch (kind) {
    case MemoryKind::Course:
    case MemoryKind::RelayCourse: return 501;
    case MemoryKind::Dnf: return 706;
    case MemoryKind::Untimed: return 708;
    default: return 704;
  }
}

int NotFoundOnReadError(MemoryKind kind) {
  switch (kind) {
    case MemoryKind::Course:
    case MemoryKind::RelayCourse: return 702;
    case MemoryKind::Dnf: return 706;
    case MemoryKind::Untimed: return 708;
    default: return 704;
  }
}

int EmptyOnReadError(MemoryKind kind) {
  switch (kind) {
    case MemoryKind::FirstRun:
    case MemoryKind::SecondRun:
    case MemoryKind::RelayResults: return 703;
    case MemoryKind::Dnf: return 705;
    case MemoryKind::Untimed: return 707;
    default: return 701;
  }
}

}  // namespace rx::sim
