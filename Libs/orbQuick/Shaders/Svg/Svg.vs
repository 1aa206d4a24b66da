// Solid-colour path quad: the field is sampled through the atlas sub-rectangle.
attribute highp vec4 vertexPosition;
attribute highp vec2 vertexTexCoord;

uniform highp mat4 matrix;
uniform highp mat4 textureMatrix;

varying highp vec2 texCoord;
varying highp vec2 gradientCoord;

void main()
{
    texCoord = (textureMatrix * vec4(vertexTexCoord, 1.0, 1.0)).xy;
    gradientCoord = vertexTexCoord;
    gl_Position = matrix * vertexPosition;
}
