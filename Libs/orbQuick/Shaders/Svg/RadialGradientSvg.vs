// Radial gradient quad: the gradient matrix centres and scales the quad's unit
// coordinates so that their length is the ramp position.
attribute highp vec4 vertexPosition;
attribute highp vec2 vertexTexCoord;

uniform highp mat4 matrix;
uniform highp mat4 textureMatrix;
uniform highp mat4 gradientMatrix;

varying highp vec2 texCoord;
varying highp vec2 gradientCoord;

void main()
{
    texCoord = (textureMatrix * vec4(vertexTexCoord, 1.0, 1.0)).xy;
    gradientCoord = (gradientMatrix * vec4(vertexTexCoord, 1.0, 1.0)).xy;
    gl_Position = matrix * vertexPosition;
}
