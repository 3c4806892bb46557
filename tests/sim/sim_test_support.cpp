#include "sim_test_support.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <unordered_map>

namespace simtest {

namespace {

// The simulator's end-to-end tests need a Qt application object for their
// sockets and timers; one is created before the first test runs.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (QCoreApplication::instance() == nullptr) app = new QCoreApplication(argc, argv);
  }
  void TearDown() override {
    delete app;
    app = nullptr;
  }
  int argc = 1;
  char name[16] = "sim_tests";
  char* argv[2] = {name, nullptr};
  QCoreApplication* app = nullptr;
};

[[maybe_unused]] ::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

bool has(const std::vector<std::string>& lines, std::string_view line) { return position(lines, line) >= 0; }

int position(const std::vector<std::string>& lines, std::string_view line) {
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i] == line) return static_cast<int>(i);
  return -1;
}

Reply decode(std::string_view line) {
  Reply r;
  size_t cut = line.size();
  while (cut > 0 && line[cut - 1] >= '0' && line[cut - 1] <= '9') --cut;
  if (cut == 0 || cut == line.size() || line.size() - cut > 10) return r;
  const uint64_t v = std::stoull(std::string(line.substr(cut)));
  if (v > 0xFFFFFFFFull) return r;
  r.name = std::string(line.substr(0, cut));
  r.value = static_cast<uint32_t>(v);
  r.ok = true;
  return r;
}

int registerOfName(std::string_view name) {
  static const auto table = [] {
    std::unordered_map<std::string, int> t;
    for (int i = 0; i < zelvan::kRegisterCount; ++i) t[std::string(zelvan::registerInfo(i).name)] = i;
    return t;
  }();
  const auto it = table.find(std::string(name));
  return it == table.end() ? -1 : it->second;
}

std::vector<uint32_t> valuesOf(const std::vector<std::string>& lines, std::string_view name) {
  std::vector<uint32_t> out;
  for (const auto& l : lines) {
    const Reply r = decode(l);
    if (r.ok && r.name == name) out.push_back(r.value);
  }
  return out;
}

void Mirror::apply(const std::vector<std::string>& lines) {
  using namespace zelvan;
  for (const auto& l : lines) {
    const Reply r = decode(l);
    if (!r.ok) continue;
    const int i = registerOfName(r.name);
    if (i < 0) continue;
    seen[i] = true;
    const RegType t = registerInfo(i).type;
    if (isPerChannel(t)) {
      const uint32_t pch = single[Reg::PCHAN];
      for (int c = 1; c <= 8; ++c)
        if (pch == 0 || pch == static_cast<uint32_t>(c)) channels[i][c - 1] = r.value;
    } else if (t == RegType::OCTET) {
      const uint32_t set = single[Reg::PADIP];
      for (int s = 1; s <= 3; ++s)
        if (set == 0 || set == static_cast<uint32_t>(s)) octets[s - 1][i - Reg::IPA_] = r.value;
    } else if (t == RegType::PORT) {
      const uint32_t set = single[Reg::PADIP];
      if (set == 0 || set == 1) ports[0] = r.value;
      if (set == 0 || set == 2) ports[1] = r.value;
    } else {
      single[i] = r.value;
    }
  }
}

bool pumpUntil(const std::function<bool()>& cond, int timeoutMs) {
  QDeadlineTimer deadline(timeoutMs);
  while (!cond()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

void pumpFor(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

}  // namespace simtest
