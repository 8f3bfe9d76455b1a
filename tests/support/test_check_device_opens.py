"""The device-open guard flags the machine's serial devices and only them."""

import sys
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from check_device_opens import check, foreign_devices  # noqa: E402


class DeviceOpens(unittest.TestCase):
    def test_the_machines_ports_are_flagged_however_reached(self):
        log = [
            '101 openat(AT_FDCWD, "/dev/ttyUSB0", O_RDWR|O_NOCTTY|O_NONBLOCK|O_CLOEXEC) = 7',
            '101 openat(AT_FDCWD, "/dev/serial/by-id/usb-Maker-if00", O_RDWR) = -1 EBUSY',
            '102 openat(5</dev>, "ttyACM1", O_RDWR) = 8',
            '103 open("/dev/rfcomm0", O_RDWR) = 9',
            '104 openat(AT_FDCWD</dev>, "ttyS0", O_RDWR) = -1 EACCES (Permission denied)',
        ]
        self.assertEqual(foreign_devices(log), ["/dev/rfcomm0", "/dev/serial/by-id/usb-Maker-if00",
                                                "/dev/ttyACM1", "/dev/ttyS0", "/dev/ttyUSB0"])
        self.assertEqual(check(log), 1)

    def test_pseudo_terminals_and_look_alikes_pass(self):
        log = [
            '101 openat(AT_FDCWD</work>, "/dev/ptmx", O_RDWR|O_NOCTTY) = 5',
            '101 openat(AT_FDCWD, "/dev/pts/7", O_RDWR|O_NOCTTY|O_NONBLOCK) = 6',
            '101 openat(AT_FDCWD, "/tmp/norvane-home-x/dev/ttyUSB0", O_RDONLY) = 7',
            '101 openat(5</tmp/norvane-home-x/dev>, "ttyUSB0", O_RDONLY) = 8',
            '101 openat(AT_FDCWD, "/dev/null", O_RDONLY) = 9',
            '101 +++ exited with 0 +++',
        ]
        self.assertEqual(foreign_devices(log), [])
        self.assertEqual(check(log), 0)


if __name__ == "__main__":
    unittest.main()
