# Writes the man page of the dlv command from its own help: the top-level help
# through help2man, and the help of each subcommand as a COMMANDS section.
# Run as: cmake -DDLV=... -DHELP2MAN=... -DGZIP=... -DVERSION=... -DOUT=dlv.1.gz
#         -DWORK=dir -P dlv_man.cmake
file(MAKE_DIRECTORY ${WORK})
set(include_text "[COMMANDS]\n")
foreach(command run vogel pi schema blocks)
  execute_process(COMMAND ${DLV} ${command} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${DLV} ${command} --help failed (${status})")
  endif()
  # The usage lines name the program as the user calls it, not by its build path.
  string(REPLACE "${DLV}" "dlv" help "${help}")
  # roff: a backslash is \e, a line starting with a dot or quote is escaped.
  string(REPLACE "\\" "\\e" help "${help}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
  string(APPEND include_text ".SS \"dlv ${command}\"\n.nf\n${help}.fi\n")
endforeach()
string(APPEND include_text "[EXIT STATUS]
0 computed; 1 a file could not be read or written; 2 bad input, nothing computed.
[FILES]
/usr/share/doc/dlv/fields.md, every well-file field with its unit and range;
/usr/share/doc/dlv/result-format.md, the result document and the CSV table;
/usr/share/dlv/schema/well.schema.json, the JSON Schema of a well file;
/usr/share/dlv/examples/wells/, example well files.
")
file(WRITE ${WORK}/dlv.h2m "${include_text}")
execute_process(
  COMMAND ${HELP2MAN} --no-info --no-discard-stderr --version-string=${VERSION}
          "--name=inflow performance curves of oil, gas and injection wells"
          --section=1 --include=${WORK}/dlv.h2m --output=${WORK}/dlv.1 ${DLV}
  RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "help2man failed: ${err}")
endif()
execute_process(COMMAND ${GZIP} -9nf ${WORK}/dlv.1 RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gzip failed")
endif()
file(RENAME ${WORK}/dlv.1.gz ${OUT})
