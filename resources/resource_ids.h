/* Resource identifiers shared by the resource script and the program. */
#pragma once

#define IDI_IDLER 1
#define IDI_ABOUT 2
#define IDI_DEDICATION 3
#define IDR_MAIN_BACKGROUND 101
#define IDR_DEDICATION_PHOTO 102
