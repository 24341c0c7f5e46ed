/* Line recorder: an LD_PRELOAD library that records what a program does to the control lines
 * of serial ports and the data lines of parallel ports, and can stand in for ports that do
 * not exist.
 *
 *   LD_PRELOAD=libkelvado_line_recorder.so KELVADO_LINE_LOG=lines.log program
 *
 * Environment, read at every call, so a test may change it between calls:
 *   KELVADO_LINE_LOG    file to which one line per recorded call is appended; no
 *                       recording when unset.
 *   KELVADO_FAKE_PORTS  ports to fake, separated by ';'. Each is PATH or PATH=TARGET:
 *                       opening PATH opens TARGET instead (PATH itself without a TARGET),
 *                       and on that descriptor the modem-control ioctls TIOCMGET, TIOCMSET,
 *                       TIOCMBIS, TIOCMBIC and the ppdev ioctls PPCLAIM, PPRELEASE, PPEXCL,
 *                       PPWDATA, PPRDATA succeed on levels kept here. A faked serial port
 *                       starts with DTR and RTS asserted, as a real one does when opened.
 *                       Other ioctls reach TARGET, so a serial port is best faked by a
 *                       pseudo terminal (termios works on it) and a parallel port by
 *                       /dev/null or a plain file.
 *                       E.g. "/dev/ttyS0=/dev/pts/7;/dev/parport0=/dev/null;
 *                             /proc/sys/dev/parport/parport0/base-addr=/tmp/t/base-addr"
 * ioperm() and iopl() always fail with EPERM and are recorded, so that no program under
 * test drives real I/O ports.
 *
 * Recorded: open and close of watched paths (faked ports, and paths beginning with
 * /dev/tty, /dev/pts/, /dev/serial/ or /dev/parport), the ioctls above on their
 * descriptors, and ioperm/iopl. Log format, one line per call, fields separated by spaces:
 *
 *   TIME PID CALL FIELD=VALUE...
 *
 *   TIME    CLOCK_MONOTONIC in seconds with 9 decimals (std::chrono::steady_clock's clock)
 *   CALL    FIELDS
 *   open    path=PATH [target=TARGET] result=R          (R: the descriptor)
 *   close   fd=N result=R
 *   TIOCMBIS, TIOCMBIC, TIOCMSET
 *           fd=N bits=B result=R [DTR=0|1 RTS=0|1]      (B: DTR, RTS, DTR|RTS or hex;
 *                                                        the levels after the call, when
 *                                                        the port can tell them)
 *   PPWDATA fd=N value=0xNN result=R
 *   PPCLAIM, PPRELEASE, PPEXCL
 *           fd=N result=R
 *   ioperm  from=0xNNNN num=N on=N result=R
 *   iopl    level=N result=R
 *
 * R is the call's result, or minus errno when it failed. Paths contain no spaces.
 */
#define _GNU_SOURCE
#undef _FORTIFY_SOURCE

#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <linux/ppdev.h>
#include <pthread.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>
#include <time.h>
#include <unistd.h>

enum { kMaxFds = 4096, kMaxPath = 4096 };

struct Port {
  int watched;
  int faked;
  int modem; /* TIOCM_* bits of a faked serial port */
  unsigned char data;
};

static struct Port ports[kMaxFds];
static pthread_mutex_t lock = PTHREAD_MUTEX_INITIALIZER;

typedef int (*OpenFn)(const char*, int, ...);
typedef int (*OpenAtFn)(int, const char*, int, ...);
typedef int (*CloseFn)(int);
typedef int (*IoctlFn)(int, unsigned long, ...);

/* Stores the next definition of `name` in the function pointer at `slot` (ISO C has no cast
 * from an object pointer to a function pointer). */
static void Resolve(void* slot, const char* name) {
  void* symbol = dlsym(RTLD_NEXT, name);
  memcpy(slot, &symbol, sizeof symbol);
}

static int RealOpen(const char* path, int flags, mode_t mode) {
  static OpenFn real;
  if (!real) Resolve(&real, "open");
  return real(path, flags, mode);
}

static int RealOpenAt(int dir, const char* path, int flags, mode_t mode) {
  static OpenAtFn real;
  if (!real) Resolve(&real, "openat");
  return real(dir, path, flags, mode);
}

static int RealClose(int fd) {
  static CloseFn real;
  if (!real) Resolve(&real, "close");
  return real(fd);
}

static int RealIoctl(int fd, unsigned long request, void* arg) {
  static IoctlFn real;
  if (!real) Resolve(&real, "ioctl");
  return real(fd, request, arg);
}

static int Result(int result) {
  return result < 0 ? -errno : result;
}

static void Record(const char* format, ...) {
  const char* log = getenv("KELVADO_LINE_LOG");
  if (!log) return;
  const int saved_errno = errno;
  char line[kMaxPath + 256];
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  int size = snprintf(line, sizeof line, "%lld.%09ld %d ", (long long)now.tv_sec, now.tv_nsec,
                      (int)getpid());
  va_list args;
  va_start(args, format);
  size += vsnprintf(line + size, sizeof line - (size_t)size, format, args);
  va_end(args);
  if (size >= (int)sizeof line - 1) size = (int)sizeof line - 2;
  line[size++] = '\n';
  const int fd = RealOpen(log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd >= 0) {
    if (write(fd, line, (size_t)size) < 0) {
      /* Nothing to do: recording must not change the program's behaviour. */
    }
    RealClose(fd);
  }
  errno = saved_errno;
}

/* The target of a faked port at `path` into `target`; 0 when `path` is not faked. */
static int FakedTarget(const char* path, char* target) {
  const char* specs = getenv("KELVADO_FAKE_PORTS");
  const size_t length = strlen(path);
  while (specs && *specs) {
    const char* end = strchr(specs, ';');
    const size_t spec_length = end ? (size_t)(end - specs) : strlen(specs);
    const char* equals = memchr(specs, '=', spec_length);
    const size_t name_length = equals ? (size_t)(equals - specs) : spec_length;
    if (name_length == length && strncmp(specs, path, length) == 0) {
      const char* from = equals ? equals + 1 : specs;
      const size_t target_length = equals ? spec_length - name_length - 1 : spec_length;
      if (target_length >= kMaxPath) return 0;
      memcpy(target, from, target_length);
      target[target_length] = '\0';
      return 1;
    }
    specs = end ? end + 1 : NULL;
  }
  return 0;
}

static int Watched(const char* path) {
  static const char* const prefixes[] = {"/dev/tty", "/dev/pts/", "/dev/serial/", "/dev/parport"};
  for (size_t i = 0; i < sizeof prefixes / sizeof prefixes[0]; ++i) {
    if (strncmp(path, prefixes[i], strlen(prefixes[i])) == 0) return 1;
  }
  return 0;
}

static int OpenRecorded(int dir, const char* path, int flags, mode_t mode) {
  char target[kMaxPath];
  const int faked = path && FakedTarget(path, target);
  const char* opened = faked ? target : path;
  const int fd =
      dir == AT_FDCWD ? RealOpen(opened, flags, mode) : RealOpenAt(dir, opened, flags, mode);
  if (!path || !(faked || Watched(path))) return fd;
  const int saved_errno = errno;
  if (faked) {
    Record("open path=%s target=%s result=%d", path, target, Result(fd));
  } else {
    Record("open path=%s result=%d", path, Result(fd));
  }
  if (fd >= 0 && fd < kMaxFds) {
    pthread_mutex_lock(&lock);
    ports[fd].watched = 1;
    ports[fd].faked = faked;
    ports[fd].modem = TIOCM_DTR | TIOCM_RTS;
    ports[fd].data = 0;
    pthread_mutex_unlock(&lock);
  }
  errno = saved_errno;
  return fd;
}

static mode_t ModeArgument(int flags, va_list args) {
  return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? (mode_t)va_arg(args, int) : 0;
}

int open(const char* path, int flags, ...) {
  va_list args;
  va_start(args, flags);
  const mode_t mode = ModeArgument(flags, args);
  va_end(args);
  return OpenRecorded(AT_FDCWD, path, flags, mode);
}

int open64(const char* path, int flags, ...) {
  va_list args;
  va_start(args, flags);
  const mode_t mode = ModeArgument(flags, args);
  va_end(args);
  return OpenRecorded(AT_FDCWD, path, flags, mode);
}

int openat(int dir, const char* path, int flags, ...) {
  va_list args;
  va_start(args, flags);
  const mode_t mode = ModeArgument(flags, args);
  va_end(args);
  return OpenRecorded(dir, path, flags, mode);
}

int openat64(int dir, const char* path, int flags, ...) {
  va_list args;
  va_start(args, flags);
  const mode_t mode = ModeArgument(flags, args);
  va_end(args);
  return OpenRecorded(dir, path, flags, mode);
}

/* The checked variants that _FORTIFY_SOURCE builds call. */
int __open_2(const char* path, int flags);
int __open_2(const char* path, int flags) {
  return OpenRecorded(AT_FDCWD, path, flags, 0);
}

int __open64_2(const char* path, int flags);
int __open64_2(const char* path, int flags) {
  return OpenRecorded(AT_FDCWD, path, flags, 0);
}

int close(int fd) {
  int watched = 0;
  if (fd >= 0 && fd < kMaxFds) {
    pthread_mutex_lock(&lock);
    watched = ports[fd].watched;
    memset(&ports[fd], 0, sizeof ports[fd]);
    pthread_mutex_unlock(&lock);
  }
  const int result = RealClose(fd);
  if (watched) Record("close fd=%d result=%d", fd, Result(result));
  return result;
}

static const char* ModemRequestName(unsigned long request) {
  switch (request) {
    case TIOCMBIS:
      return "TIOCMBIS";
    case TIOCMBIC:
      return "TIOCMBIC";
    case TIOCMSET:
      return "TIOCMSET";
    default:
      return NULL;
  }
}

static const char* PortRequestName(unsigned long request) {
  switch (request) {
    case PPCLAIM:
      return "PPCLAIM";
    case PPRELEASE:
      return "PPRELEASE";
    case PPEXCL:
      return "PPEXCL";
    default:
      return NULL;
  }
}

static void FormatBits(int bits, char* text, size_t size) {
  if (bits == TIOCM_DTR) {
    snprintf(text, size, "DTR");
  } else if (bits == TIOCM_RTS) {
    snprintf(text, size, "RTS");
  } else if (bits == (TIOCM_DTR | TIOCM_RTS)) {
    snprintf(text, size, "DTR|RTS");
  } else {
    snprintf(text, size, "0x%x", (unsigned)bits);
  }
}

/* Carries out a request on a faked port; returns 1 when it was one of the faked ones. */
static int FakeRequest(struct Port* port, unsigned long request, void* arg, int* result) {
  *result = 0;
  switch (request) {
    case TIOCMGET:
      *(int*)arg = port->modem;
      return 1;
    case TIOCMSET:
      port->modem = *(const int*)arg;
      return 1;
    case TIOCMBIS:
      port->modem |= *(const int*)arg;
      return 1;
    case TIOCMBIC:
      port->modem &= ~*(const int*)arg;
      return 1;
    case PPWDATA:
      port->data = *(const unsigned char*)arg;
      return 1;
    case PPRDATA:
      *(unsigned char*)arg = port->data;
      return 1;
    case PPCLAIM:
    case PPRELEASE:
    case PPEXCL:
      return 1;
    default:
      return 0;
  }
}

int ioctl(int fd, unsigned long request, ...) {
  va_list args;
  va_start(args, request);
  void* arg = va_arg(args, void*);
  va_end(args);

  struct Port port = {0, 0, 0, 0};
  if (fd >= 0 && fd < kMaxFds) {
    pthread_mutex_lock(&lock);
    port = ports[fd];
    pthread_mutex_unlock(&lock);
  }
  if (!port.watched) return RealIoctl(fd, request, arg);

  int result;
  if (!(port.faked && FakeRequest(&port, request, arg, &result))) {
    result = Result(RealIoctl(fd, request, arg));
  }
  const int saved_errno = result < 0 ? -result : errno;
  if (port.faked) {
    pthread_mutex_lock(&lock);
    ports[fd].modem = port.modem;
    ports[fd].data = port.data;
    pthread_mutex_unlock(&lock);
  }

  if (ModemRequestName(request)) {
    char bits[32];
    FormatBits(*(const int*)arg, bits, sizeof bits);
    int levels = port.modem;
    if (port.faked || RealIoctl(fd, TIOCMGET, &levels) == 0) {
      Record("%s fd=%d bits=%s result=%d DTR=%d RTS=%d", ModemRequestName(request), fd, bits,
             result, (levels & TIOCM_DTR) != 0, (levels & TIOCM_RTS) != 0);
    } else {
      Record("%s fd=%d bits=%s result=%d", ModemRequestName(request), fd, bits, result);
    }
  } else if (request == PPWDATA) {
    Record("PPWDATA fd=%d value=0x%02x result=%d", fd, *(const unsigned char*)arg, result);
  } else if (PortRequestName(request)) {
    Record("%s fd=%d result=%d", PortRequestName(request), fd, result);
  }
  errno = saved_errno;
  return result < 0 ? -1 : result;
}

int ioperm(unsigned long from, unsigned long num, int turn_on) {
  Record("ioperm from=0x%04lx num=%lu on=%d result=%d", from, num, turn_on, -EPERM);
  errno = EPERM;
  return -1;
}

int iopl(int level) {
  Record("iopl level=%d result=%d", level, -EPERM);
  errno = EPERM;
  return -1;
}
