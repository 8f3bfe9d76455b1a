#pragma once

// What a family's MountEvents::panelUpdated names on the hand-control panels.
constexpr int kPanelSynScanSync = 1;  // the NexStar panel's sync button: 1 on, 0 off
constexpr int kPanelNexStarMode = 2;  // the NexStar panel's mode matrix: 0 Off .. 3 EQ S
constexpr int kPanelTemmaSide = 3;    // the Temma panel's side radio: 1 east, 0 west
constexpr int kPanelTemmaTrack = 4;   // the Temma panel's track radio: 1 tracking, 0 stand-by
constexpr int kPanelTemmaSynced = 5;  // the Temma panel's title: syncs since launch
