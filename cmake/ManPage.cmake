# Writes the zelctl manual page from its help texts (zelctl --help-all), so the page never drifts from the
# program. Run with -DZELCTL=<program> -DOUTPUT=<file> -DVERSION=<version>.
execute_process(COMMAND ${ZELCTL} --help-all --lang en OUTPUT_VARIABLE help RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "zelctl --help-all failed: ${result}")
endif()
# Backslashes and leading dots or quotes would be read as troff requests.
string(REPLACE "\\" "\\e" help "${help}")
string(REGEX REPLACE "\n([.'])" "\n\\\\&\\1" help "\n${help}")
file(WRITE ${OUTPUT} ".TH ZELCTL 1 \"\" \"zelctl ${VERSION}\" \"User Commands\"
.SH NAME
zelctl \\- command-line tool for CCTV camera controllers on an RS-232 line
.SH DESCRIPTION
zelctl sends frames, backs up and restores camera settings, downloads and uploads titles,
scans a line for cameras, decodes traffic logs and reflashes camera CPUs, for scripted work.
It reads zel.ini from the program folder, or from ~/.config/zel when that folder cannot be
written. Opening a serial device may need membership of the dialout group.
.SH USAGE
.nf
${help}
.fi
.SH SEE ALSO
.B zel --help,
.B zelsim --help
")
