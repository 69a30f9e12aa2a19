#pragma once

// Numbers of the resources compiled into the programs, for the resource
// scripts, which cannot read res/resource.h; win32_resources.cpp checks that
// the two agree.
#define MURKWELL_ICON 128
#define MURKWELL_LOGO 129
#define MURKWELL_HELP_PAGE 130
