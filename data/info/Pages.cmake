# The information pages of the program directory: one frame (frame.html.in) and, per page, its
# own text (<name>.body, CP932: the title on the first line, then the lines between the heading and
# the end of <main>). Each row: page name | theme colour | heading ink.
set(info_pages
    "about|3a5a9a|ffffff"
    "cisco-info|278283|ffffff"
    "ibm-info|c066d7|ffffff"
    "japan-info|f3ce84|1a1a1a"
    "microsoft-info|0089e6|ffffff"
    "oracle-info|996665|ffffff"
    "sun-info|9c84ef|ffffff"
    "turbolinux-info|ff9900|1a1a1a"
)
