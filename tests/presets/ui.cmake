# Device modes and parameter files in the main window, against the in-process device.
dsp_qtest(presets_modes_test ModesController_test.cpp ModesFilesRig.h)
dsp_qtest(presets_files_test FilesController_test.cpp ModesFilesRig.h)
