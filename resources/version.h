/* The one place the version lives: the resource script's version block and
   the program both read it. */
#pragma once

#define TALLOW_VERSION_NUMBERS 5, 11, 0, 2005
#define TALLOW_VERSION_TEXT "5.11.2005"
#define TALLOW_COMPANY "gLoAmInG iNc."
/* "\x99" is the trade-mark sign in Windows-1252, the resource script's code page. */
#define TALLOW_TITLE "\x99Tallow Divod\x99"
#define TALLOW_DESCRIPTION "Tells a chat room that Juniper's friend is away"
#define TALLOW_COMMENTS "Made for Juniper, who was always waiting in the room"
