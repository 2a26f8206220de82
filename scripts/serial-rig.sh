#!/usr/bin/env bash
# The serial rig: runs the link tests inside a small virtual machine, through the kernel's real
# drivers of a 16550A UART (guest /dev/ttyS1) and of an FTDI USB adapter (guest /dev/ttyUSB0), with
# the gauge simulator serving both wires on the host and the adapter pulled out through the
# machine's monitor. Needs only Debian packages (installed when missing, as root).
#
#   scripts/serial-rig.sh [--build DIR] [--filter GTEST_FILTER] [--strict] [--keep]
#
#   --build DIR   build tree with the program's libraries (default ./build, or $ORV_RIG_BUILD);
#                 the rig's own two targets are built there first
#   --tree DIR    build the rig against another source tree of the program that has no rig yet
#                 (e.g. a work tree with serial-component changes), built in --build DIR if given,
#                 else in $ORV_RIG_CACHE/tree-*
#   --filter F    which in-machine tests run (default all)
#   --strict      checks that wait for the serial component's fixes fail instead of being listed
#   --keep        keep the run directory (console log, sockets) for a look afterwards
#   --if-possible succeed quietly where the emulator cannot be installed (CI on machines without it)
#
# The machine (kernel, modules, busybox, shared libraries, Qt's offscreen plugin, fonts) is built
# once and cached in $ORV_RIG_CACHE (default /var/cache/orvessa-rig), keyed by the kernel version and
# a hash of its inputs; only the project's executables are packed at every run.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${ORV_RIG_BUILD:-$here/build}"
cache="${ORV_RIG_CACHE:-/var/cache/orvessa-rig}"
filter="*"
strict=""
keep=""
optional=""
tree=""
build_given="${ORV_RIG_BUILD:+1}"
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build="$2"; build_given=1; shift 2 ;;
    --filter) filter="$2"; shift 2 ;;
    --tree) tree="$(cd "$2" && pwd)"; shift 2 ;;
    --strict) strict=1; shift ;;
    --keep) keep=1; shift ;;
    --if-possible) optional=1; shift ;;
    -h|--help) sed -n '2,23p' "$0"; exit 0 ;;
    *) echo "serial-rig: unknown option $1" >&2; exit 2 ;;
  esac
done
if ! mkdir -p "$cache" 2>/dev/null || [ ! -w "$cache" ]; then
  cache="${XDG_CACHE_HOME:-$HOME/.cache}/orvessa-rig"   # not root: a cache of one's own
  mkdir -p "$cache"
fi
if [ -n "$tree" ]; then
  [ -n "$build_given" ] || build="$cache/tree-$(echo "$tree" | sha256sum | cut -c1-12)"
  mkdir -p "$build"
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  echo "serial-rig: + cmake -S $here/rig/standalone -B $build -DORVESSA_TREE=$tree" >&2
  cmake -S "$here/rig/standalone" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVESSA_TREE="$tree" \
    "${launcher[@]}" >/dev/null
fi
build="$(cd "$build" && pwd)"
say() { echo "serial-rig: $*" >&2; }
run() { say "+ $*"; "$@"; }

# --- packages -------------------------------------------------------------------------------------
missing=()
command -v qemu-system-x86_64 >/dev/null || missing+=(qemu-system-x86)
[ -x /bin/busybox ] && busybox --list 2>/dev/null | grep -cx insmod >/dev/null || missing+=(busybox-static)
command -v cpio >/dev/null || missing+=(cpio)
if [ ${#missing[@]} -gt 0 ]; then
  if ! { [ "$(id -u)" = 0 ] && run apt-get update -qq &&
         run env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"; }; then
    say "cannot install ${missing[*]}"
    [ -n "$optional" ] && { say "rig skipped"; exit 0; }
    exit 1
  fi
fi

# --- the project's executables --------------------------------------------------------------------
if ! cmake --build "$build" --target help 2>/dev/null | grep -c rig_guest_tests >/dev/null; then
  say "no rig targets in $build: its sources have no rig; build the rig against them with --tree SOURCE_DIR"
  exit 1
fi
run cmake --build "$build" -j2 --target rig_host rig_guest_tests Orvessa gauge_sim
host_tool="$build/rig/rig_host"
guest_tests="$build/rig/rig_guest_tests"
# The program and the simulator go in too, for a look by hand in a kept machine.
guest_programs=("$guest_tests" "$(find "$build" -name Orvessa -type f -perm -u+x | head -1)" "$build/sim/gauge_sim")

# --- kernel and modules (cached per kernel version) -----------------------------------------------
kpkg="$(apt-cache depends linux-image-amd64 2>/dev/null | awk '/Depends: linux-image-[0-9]/{print $2; exit}')"
if [ -z "$kpkg" ]; then
  kpkg="$(ls -d "$cache"/linux-image-* 2>/dev/null | tail -1 | xargs -r basename)"
fi
[ -n "$kpkg" ] || { say "no kernel package known and none cached"; exit 1; }
kdir="$cache/$kpkg"
if [ ! -f "$kdir/ready" ]; then
  rm -rf "$kdir" && mkdir -p "$kdir/deb"
  if ! (cd "$kdir/deb" && run apt-get download "$kpkg"); then
    rm -rf "$kdir"
    [ -n "$optional" ] && { say "no kernel to be had; rig skipped"; exit 0; }
    exit 1
  fi
  run dpkg-deb -x "$kdir"/deb/*.deb "$kdir/root"
  mkdir -p "$kdir/modules"
  cp "$kdir"/root/boot/vmlinuz-* "$kdir/vmlinuz"
  for m in usb-common usbcore xhci-hcd xhci-pci usbserial ftdi_sio; do
    f="$(find "$kdir/root/lib/modules" -name "$m.ko*" | head -1)"
    [ -n "$f" ] || { say "module $m not in $kpkg"; exit 1; }
    case "$f" in
      *.xz) xz -dc "$f" >"$kdir/modules/$m.ko" ;;
      *.zst) zstd -qdc "$f" >"$kdir/modules/$m.ko" ;;
      *) cp "$f" "$kdir/modules/$m.ko" ;;
    esac
  done
  rm -rf "$kdir/root" "$kdir/deb"
  touch "$kdir/ready"
fi

# --- the machine's base image: busybox, libraries, Qt plugin, fonts (cached by a hash of its inputs) ---
qt_plugins="$(dirname "$(find /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms -name libqoffscreen.so | head -1)")/.."
fonts=/usr/share/fonts/truetype/dejavu
libs="$( (for p in "${guest_programs[@]}"; do ldd "$p"; done; ldd "$qt_plugins/platforms/libqoffscreen.so"; ldd /bin/busybox 2>/dev/null || true) |
        awk '/=> \//{print $3} /^\t\/lib/{print $1}' | sort -u)"
key="$( (echo "$kpkg"; sha256sum "$here/rig/init.sh" /bin/busybox $libs "$qt_plugins/platforms/libqoffscreen.so"
        ls "$fonts") | sha256sum | cut -c1-16)"
base="$cache/base-$key.cpio.gz"
if [ ! -f "$base" ]; then
  say "building the machine's base image $base"
  stage="$(mktemp -d)"
  mkdir -p "$stage"/{bin,sbin,usr/bin,proc,sys,dev,tmp,modules,rig,etc,lib64}
  cp /bin/busybox "$stage/bin/busybox"
  for applet in $(/bin/busybox --list); do [ "$applet" = busybox ] || ln -sf busybox "$stage/bin/$applet"; done
  cp "$kdir"/modules/*.ko "$stage/modules/"
  for l in $libs; do mkdir -p "$stage$(dirname "$l")"; cp -L "$l" "$stage$l"; done
  mkdir -p "$stage/usr/lib/x86_64-linux-gnu/qt6/plugins/platforms" "$stage$fonts"
  cp -L "$qt_plugins/platforms/libqoffscreen.so" "$stage/usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/"
  cp -L "$fonts"/*.ttf "$stage$fonts/"
  cp "$here/rig/init.sh" "$stage/init"
  (cd "$stage" && find . | cpio -o -H newc --quiet | gzip -1) >"$base.tmp"
  mv "$base.tmp" "$base"
  rm -rf "$stage"
  find "$cache" -maxdepth 1 -name 'base-*.cpio.gz' ! -name "$(basename "$base")" -delete
fi

# --- this run ---------------------------------------------------------------------------------------
rundir="$(mktemp -d /tmp/serial-rig.XXXXXX)"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
  if [ -n "$keep" ]; then say "run directory kept: $rundir"; else rm -rf "$rundir"; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

mkdir -p "$rundir/top/rig"
cp "${guest_programs[@]}" "$rundir/top/rig/"
(cd "$rundir/top" && find . | cpio -o -H newc --quiet | gzip -1) >"$rundir/top.cpio.gz"
cat "$base" "$rundir/top.cpio.gz" >"$rundir/initrd.gz"

accel=tcg
if [ -w /dev/kvm ] && [ -z "${ORV_RIG_NO_KVM:-}" ]; then
  # A machine that cannot even start a kernel under KVM here hangs; it gets a few seconds to prove
  # itself, once per emulator and kernel (the verdict is kept beside the cached machine).
  probe="$cache/kvm-$(qemu-system-x86_64 --version | head -1 | tr -c 'A-Za-z0-9.\n' _)-$kpkg"
  if [ ! -f "$probe" ]; then
    if timeout 20 qemu-system-x86_64 -accel kvm -m 256 -display none -no-reboot -kernel "$kdir/vmlinuz" \
         -append "console=ttyS0 panic=-1" -serial file:"$rundir/kvm-probe.log" -monitor none >/dev/null 2>&1 &&
       grep -q "Kernel panic" "$rundir/kvm-probe.log"; then
      echo kvm >"$probe"
    else
      echo tcg >"$probe"
    fi
  fi
  accel="$(cat "$probe")"
fi
say "accelerator: $accel"

cmdline="console=ttyS0 quiet panic=-1 rdinit=/init RIG_FILTER=$filter${strict:+ ORV_RIG_STRICT=1}"
qemu=(qemu-system-x86_64 -accel "$accel" -m 768 -smp 1 -display none -no-reboot
  -kernel "$kdir/vmlinuz" -initrd "$rundir/initrd.gz" -append "$cmdline"
  -chardev stdio,id=con,signal=off,logfile="$rundir/console.log" -serial chardev:con
  -chardev socket,id=uart,path="$rundir/uart.sock",server=on,wait=off -serial chardev:uart
  -chardev socket,id=ctl,path="$rundir/ctl.sock",server=on,wait=off -serial chardev:ctl
  -device qemu-xhci,id=xhci
  -chardev socket,id=usb,path="$rundir/usb.sock",server=on,wait=off -device usb-serial,chardev=usb,id=ftdi
  -monitor unix:"$rundir/mon.sock",server=on,wait=off)
say "+ ${qemu[*]}"
"${qemu[@]}" </dev/null &
qemu_pid=$!
pids+=("$qemu_pid")
run "$host_tool" --uart "unix:$rundir/uart.sock" --usb "unix:$rundir/usb.sock" \
  --control "$rundir/ctl.sock" --monitor "$rundir/mon.sock" &
pids+=("$!")

# The machine powers itself off after the tests; a hung machine is stopped after the limit.
limit="${ORV_RIG_LIMIT:-1500}"
waited=0
while kill -0 "$qemu_pid" 2>/dev/null && [ "$waited" -lt "$limit" ]; do sleep 1; waited=$((waited + 1)); done
if kill -0 "$qemu_pid" 2>/dev/null; then
  say "the machine did not finish within $limit s"
  exit 1
fi
status="$(sed -n 's/^RIG-STATUS \([0-9]*\).*/\1/p' "$rundir/console.log" | tail -1)"
awaits="$(grep -c '^\[ awaits' "$rundir/console.log" || true)"
say "machine done in ${waited} s; tests' status ${status:-missing}; $awaits checks await the serial component"
[ -n "$status" ] || exit 1
exit "$status"
