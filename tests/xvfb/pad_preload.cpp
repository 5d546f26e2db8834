// A virtual game controller for the real program, loaded with LD_PRELOAD by the drive script and
// never installed. Once the program has initialised SDL's joystick subsystem, a controller is
// attached, and the commands read from the FIFO named by PAD_DRIVE_FIFO press its buttons, one a
// line:
//   NAME             a tap: pressed until the program has read it, then released
//   hold NAME MS     pressed for MS milliseconds, then released
//   press NAME       pressed until released
//   release NAME
// NAME is up, down, a, b, x, y, back, start, lb, rb (buttons) or lt, rt (triggers). Once the
// program has taken up the pad ("attached") and after each command ("ok LINE" or "error LINE")
// a line is appended to the file named by PAD_DRIVE_ACKS, so the script waits for the pad,
// never for a while.
#include <dlfcn.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include <SDL.h>

#include "support/VirtualPadDesc.h"

namespace {

// How long a pressed state may wait for the program's next reading of the pad.
constexpr auto kReadTimeout = std::chrono::seconds(10);

struct Control {
  const char* name;
  bool isAxis;
  int number;
};

constexpr Control kControls[] = {
    {"up", false, SDL_CONTROLLER_BUTTON_DPAD_UP},
    {"down", false, SDL_CONTROLLER_BUTTON_DPAD_DOWN},
    {"a", false, SDL_CONTROLLER_BUTTON_A},
    {"b", false, SDL_CONTROLLER_BUTTON_B},
    {"x", false, SDL_CONTROLLER_BUTTON_X},
    {"y", false, SDL_CONTROLLER_BUTTON_Y},
    {"back", false, SDL_CONTROLLER_BUTTON_BACK},
    {"start", false, SDL_CONTROLLER_BUTTON_START},
    {"lb", false, SDL_CONTROLLER_BUTTON_LEFTSHOULDER},
    {"rb", false, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER},
    {"lt", true, SDL_CONTROLLER_AXIS_TRIGGERLEFT},
    {"rt", true, SDL_CONTROLLER_AXIS_TRIGGERRIGHT},
};

std::optional<Control> controlNamed(const std::string& name) {
  for (const Control& control : kControls) {
    if (name == control.name) {
      return control;
    }
  }
  return std::nullopt;
}

// The attached pad, and a count of SDL's readings of it (its update callback runs in each, with
// SDL's joystick lock held and before the reading takes the pad's state).
SDL_Joystick* g_pad = nullptr;  // guarded by SDL_LockJoysticks
std::mutex g_readingsMutex;
std::condition_variable g_readingsChanged;
unsigned long g_readings = 0;

void countReading(void*) {
  {
    const std::lock_guard lock(g_readingsMutex);
    ++g_readings;
  }
  g_readingsChanged.notify_all();
}

unsigned long readings() {
  const std::lock_guard lock(g_readingsMutex);
  return g_readings;
}

// Waits until a reading has begun after `since`: that reading takes every state set before it.
// A second one makes sure the program has handled the first one's events too.
bool waitForReadings(unsigned long since) {
  std::unique_lock lock(g_readingsMutex);
  return g_readingsChanged.wait_for(lock, kReadTimeout,
                                    [since] { return g_readings >= since + 2; });
}

bool set(const Control& control, bool down) {
  SDL_LockJoysticks();
  bool done = g_pad != nullptr;
  if (done) {
    done = control.isAxis
               ? SDL_JoystickSetVirtualAxis(g_pad, control.number,
                                            Sint16(down ? SDL_JOYSTICK_AXIS_MAX : 0)) == 0
               : SDL_JoystickSetVirtualButton(g_pad, control.number,
                                              down ? SDL_PRESSED : SDL_RELEASED) == 0;
  }
  SDL_UnlockJoysticks();
  return done;
}

// Sets the control and waits until the program has read it.
bool setAndWait(const Control& control, bool down) {
  const unsigned long since = readings();
  return set(control, down) && waitForReadings(since);
}

bool run(const std::string& line) {
  char verb[16] = {};
  char name[16] = {};
  int ms = 0;
  if (std::sscanf(line.c_str(), "hold %15s %d", name, &ms) == 2 && ms >= 0) {
    const auto control = controlNamed(name);
    if (!control || !setAndWait(*control, true)) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return setAndWait(*control, false);
  }
  if (std::sscanf(line.c_str(), "%15s %15s", verb, name) == 2) {
    const auto control = controlNamed(name);
    const bool press = std::strcmp(verb, "press") == 0;
    return control && (press || std::strcmp(verb, "release") == 0) && setAndWait(*control, press);
  }
  const auto control = controlNamed(line);
  return control && setAndWait(*control, true) && setAndWait(*control, false);
}

void acknowledge(const std::string& text) {
  if (FILE* acks = std::fopen(std::getenv("PAD_DRIVE_ACKS"), "a")) {
    std::fprintf(acks, "%s\n", text.c_str());
    std::fclose(acks);
  }
}

void readCommands(std::string fifoPath) {
  // The program takes up the pad in its first reading: a state set before is not a press.
  if (!waitForReadings(0)) {
    acknowledge("error the program never read the pad");
    return;
  }
  acknowledge("attached");
  FILE* fifo = std::fopen(fifoPath.c_str(), "r");
  if (fifo == nullptr) {
    acknowledge("error cannot open " + fifoPath);
    return;
  }
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, fifo) != nullptr) {
    std::string line(buffer);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
      line.pop_back();
    }
    acknowledge((run(line) ? "ok " : "error ") + line);
  }
  std::fclose(fifo);
}

void attachPad() {
  const char* fifo = std::getenv("PAD_DRIVE_FIFO");
  if (fifo == nullptr || std::getenv("PAD_DRIVE_ACKS") == nullptr) {
    return;
  }
  SDL_VirtualJoystickDesc desc = vorlane::test::virtualControllerDesc("Drive pad");
  desc.Update = countReading;
  SDL_LockJoysticks();
  g_pad = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
  SDL_UnlockJoysticks();
  if (g_pad == nullptr) {
    acknowledge(std::string("error attaching: ") + SDL_GetError());
    return;
  }
  std::thread(readCommands, std::string(fifo)).detach();
}

// The program's children (the emulator) start without this library.
[[gnu::constructor]] void leaveChildrenAlone() {
  unsetenv("LD_PRELOAD");
}

template <typename Function>
Function* next(const char* name) {
  return reinterpret_cast<Function*>(dlsym(RTLD_NEXT, name));
}

}  // namespace

// The program's own calls come here first; they go on to SDL's.
extern "C" int SDL_InitSubSystem(Uint32 flags) {
  static bool attached = false;
  const int result = next<int(Uint32)>("SDL_InitSubSystem")(flags);
  if (result == 0 && (flags & SDL_INIT_JOYSTICK) != 0 && !attached) {
    attached = true;
    attachPad();
  }
  return result;
}

extern "C" void SDL_QuitSubSystem(Uint32 flags) {
  if ((flags & SDL_INIT_JOYSTICK) != 0) {
    SDL_LockJoysticks();
    if (g_pad != nullptr) {
      SDL_JoystickClose(g_pad);
      g_pad = nullptr;
    }
    SDL_UnlockJoysticks();
  }
  next<void(Uint32)>("SDL_QuitSubSystem")(flags);
}
