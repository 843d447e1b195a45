#include "controls/DownProgressBarCtrl.h"
