// Resource numbers shared by the resource script and the code. Plain defines: windres reads
// this file too.
#pragma once

// The five images of the main window's image list, numbered as the list addresses them.
#define IDI_PROGRAM 1       // the program's own icon, also the window icon
#define IDI_DEFAULT_DISC 2  // shown for the launcher's own icon
#define IDI_MONO_A 3        // monochrome, unused by any operation
#define IDI_MONO_B 4        // monochrome, unused by any operation
#define IDI_PLACEHOLDER 5   // shown while no icon is chosen

// The logo picture of the main window (2865 x 780 twips).
#define IDB_LOGO 20
// The about box's vertical logo strip (975 x 4635 twips).
#define IDB_ABOUT_LOGO 21

// The cursor over the about box's logo strip: a mouse on its cord.
#define IDC_ABOUT_MOUSE 30

// The icon library: RCDATA 1..511, each a complete .ico file.
#define IDR_LIBRARY_FIRST 1
