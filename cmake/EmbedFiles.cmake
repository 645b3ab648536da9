# Writes OUTPUT from the form file INPUT, replacing each {@name@} with the
# bytes of the file name (found in DIR) as form-file binary data: hex digits
# in lines of 64 between braces. Run as: cmake -DINPUT=.. -DOUTPUT=.. -DDIR=.. -P
file(READ "${INPUT}" text)
string(REGEX MATCHALL "{@[^@]+@}" refs "${text}")
list(REMOVE_DUPLICATES refs)
foreach(ref IN LISTS refs)
    string(REGEX REPLACE "{@([^@]+)@}" "\\1" name "${ref}")
    if(NOT EXISTS "${DIR}/${name}")
        message(FATAL_ERROR "${INPUT}: ${DIR}/${name} not found")
    endif()
    file(READ "${DIR}/${name}" hex HEX)
    string(TOUPPER "${hex}" hex)
    string(REGEX REPLACE "([0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F])" "\\1\n" hex "${hex}")
    string(REPLACE "${ref}" "{\n${hex}}" text "${text}")
endforeach()
file(WRITE "${OUTPUT}.tmp" "${text}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
