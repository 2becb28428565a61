// Found first on the geometry layer's include path, in place of the real header: geometry is
// pure arithmetic that tests run without a display, so OpenGL (and GLU and GLUT, which include
// this) belongs in src/render or src/app.
#error "src/geometry must not use OpenGL: draw in src/render, handle the toolkit in src/app"
