#!/bin/sh
# The rig machine's first and only process: drivers, devices, the tests, the verdict, power off.
export PATH=/bin:/sbin:/usr/bin
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev
mkdir -p /tmp /dev/pts && mount -t tmpfs tmp /tmp
for m in usb-common usbcore xhci-hcd xhci-pci usbserial ftdi_sio; do
  insmod /modules/$m.ko || echo "rig: insmod $m failed"
done
n=0
while [ ! -e /dev/ttyUSB0 ] && [ $n -lt 100 ]; do sleep 0.1; n=$((n + 1)); done
echo "rig: $(cat /proc/cmdline)"
grep -h "^[0-3]:" /proc/tty/driver/serial
ls -l /dev/ttyS1 /dev/ttyS2 /dev/ttyUSB0
export HOME=/tmp QT_QPA_PLATFORM=offscreen QT_QPA_FONTDIR=/usr/share/fonts/truetype/dejavu ORV_RIG_CONTROL=/dev/ttyS2
export LANG=C.UTF-8 TMPDIR=/tmp XDG_RUNTIME_DIR=/tmp/xdg GTEST_COLOR=no
mkdir -p -m 700 /tmp/xdg /etc/fonts
echo '<?xml version="1.0"?><fontconfig><dir>/usr/share/fonts</dir><cachedir>/tmp/fc</cachedir></fontconfig>' >/etc/fonts/fonts.conf
cd /tmp
/rig/rig_guest_tests --gtest_filter="${RIG_FILTER:-*}"
echo "RIG-STATUS $?"
sync
poweroff -f
