#include "link/commands.h"

namespace rx {

namespace {

std::string Blanks(int count) { return std::string(count, ' '); }

}  // namespace

std::string Body(const std::string& text) {
  std::string body = text.substr(0, kBodyLength);
  body.append(kBodyLength - body.size(), ' ');
  return body;
}

std::string FixedCommand(const std::string& family) { return Body(family); }

std::optional<ReadCommand> BuildReadCommand(int menuItem, int funcItem, const RecordFields& r) {
  const bool one = funcItem == 1 || funcItem == 3;
  const bool all = funcItem == 4;
  if (!one && !all) return std::nullopt;
  std::string key = r.blockCode + r.bib;
  switch (menuItem) {
    case 1:
      return one ? ReadCommand{Body("CO0A" + key), 1} : ReadCommand{Body("CO0A"), 2};
    case 2:
      if (all) return ReadCommand{Body("CO2"), 2};
      return std::nullopt;
    case 3:
    case 4: {
      std::string head = menuItem == 3 ? "CO11" : "CO12";
      return one ? ReadCommand{Body(head + key), 1} : ReadCommand{Body(head), 2};
    }
    case 5:
      return one ? ReadCommand{Body("CO3A" + r.blockCode), 1} : ReadCommand{Body("CO3A"), 2};
    case 6:
      if (funcItem == 1) return ReadCommand{Body("CO4A" + r.team), 1};
      if (all) return ReadCommand{Body("CO4A"), 2};
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

std::string BuildEditCommand(int menuItem, int funcItem, const RecordFields& r) {
  std::string key = r.blockCode + r.bib;
  switch (menuItem) {
    case 1:
      if (funcItem == 1) return Body("CM0A" + key + r.timeField);
      if (funcItem == 2) return Body("CC0A" + key + r.timeField);
      if (funcItem == 3) return Body("CK0A" + key);
      if (funcItem == 5) return Body("CC0" + r.course.substr(0, 1) + key + r.timeField);
      return "";
    case 2:
      if (funcItem == 2) return Body("CC2 " + key);
      if (funcItem == 3) return Body("CK2 " + key);
      return "";
    case 3:
    case 4: {
      std::string run = menuItem == 3 ? "1" : "2";
      if (funcItem == 1) return Body("CM1" + run + key + r.timeField);
      if (funcItem == 2) return Body("CC1" + run + key + r.timeField);
      if (funcItem == 3) return Body("CK1" + run + key);
      return "";
    }
    case 5:
      if (funcItem == 1) return Body("CM3A" + r.blockCode + Blanks(3) + r.timeField);
      if (funcItem == 2) return Body("CC3A" + r.blockCode + Blanks(3) + r.timeField);
      if (funcItem == 3) return Body("CK3A" + r.blockCode);
      return "";
    default:
      return "";
  }
}

std::string RelayLegCommand(int leg, const std::string& team, const std::string& timeField) {
  return Body("CM4" + std::string(1, static_cast<char>('A' + leg)) + team + timeField);
}

std::string RelayTotalCommand(const std::string& team, const std::string& timeField) {
  return Body("CM4S" + team + timeField);
}

std::string RelayDeleteCommand(const std::string& team) { return Body("CK4 " + team); }

std::string PrintCommand(const std::string& acceptedBody) {
  std::string body = Body(acceptedBody);
  body[1] = 'P';
  return body;
}

std::string BestOutputCommand(const std::string& editBody) {
  return Body("CB" + Body(editBody).substr(2, 3));
}

}  // namespace rx
