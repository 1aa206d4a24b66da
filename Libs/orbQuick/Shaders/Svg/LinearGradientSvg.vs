// Linear gradient quad: the gradient matrix turns the quad's unit coordinates
// into a ramp position along the texture's vertical axis.
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
    gradientCoord = (gradientMatrix * vec4(vertexTexCoord, 0.0, 1.0)).xy;
    gl_Position = matrix * vertexPosition;
}
