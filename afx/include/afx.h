// Core of the class-library layer: objects and runtime classes, strings, archives.
#pragma once
#include "afxver_.h"
