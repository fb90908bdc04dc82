# Makes the user's guide into one HTML page (cmake -P): cmark-gfm, with its table extension,
# renders GUIDE (Markdown) as the body of OUTPUT; the pictures stay beside it in images/.
execute_process(COMMAND ${CMARK} --extension table --extension autolink ${GUIDE}
                OUTPUT_VARIABLE body RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "cmark-gfm could not render ${GUIDE}")
endif()
file(WRITE ${OUTPUT} "<!DOCTYPE html>
<html lang=\"ja\">
<head>
<meta charset=\"utf-8\">
<title>湿りミルテン 利用の手引き</title>
<style>
body { max-width: 60em; margin: 1em auto; padding: 0 1em; line-height: 1.6; }
table { border-collapse: collapse; }
th, td { border: 1px solid #999; padding: 0.2em 0.5em; }
img { max-width: 100%; }
code, pre { background: #f4f4f4; }
</style>
</head>
<body>
${body}</body>
</html>
")
