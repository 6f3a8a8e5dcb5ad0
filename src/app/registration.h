#pragma once
// Makes every control class of the program known to the layout reader.
void RegisterProgramComponents();
