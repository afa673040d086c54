#include "gfx/Model.h"

#include "gfx/GlExtensions.h"

void Model::drawMeshTriangles(const Mesh& mesh, bool sendTextureCoords) const {
    for (int index : mesh.triangleIndices) {
        const Triangle& triangle = triangles[index];
        glBegin(GL_TRIANGLES);
        for (int corner = 0; corner < 3; ++corner) {
            if (sendTextureCoords)
                GlExtensions::glMultiTexCoord2fARB(GL_TEXTURE1_ARB, static_cast<float>(triangle.s[corner]),
                                                   static_cast<float>(triangle.t[corner]));
            const Vertex& vertex = vertices[triangle.vertexIndices[corner]];
            const Vector3& normal = triangle.normals[corner];
            if (vertex.bone < 0) {
                glNormal3d(normal.x, normal.y, normal.z);
                glVertex3d(vertex.position.x, vertex.position.y, vertex.position.z);
                continue;
            }
            // Rigid skinning: the vertex, kept in its joint's rest frame, follows the joint's pose;
            // the normal turns with it so the vertex program can light the moving part.
            const Joint& joint = joints[vertex.bone];
            Vector3 turned = joint.finalRotation * normal;
            Vector3 position = joint.finalRotation * vertex.position + joint.finalPosition;
            glNormal3d(turned.x, turned.y, turned.z);
            glVertex3d(position.x, position.y, position.z);
        }
        glEnd();
    }
}

void Model::draw() {
    if (vertices.empty() || triangles.empty() || meshes.empty())
        return;
    // Without the extension entry points there is nothing to draw with.
    if (!GlExtensions::initialised)
        return;

    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glDisable(GL_LIGHTING);

    GlExtensions::glProgramEnvParameter4fARB(GL_VERTEX_PROGRAM_ARB, 0, static_cast<float>(lightDirection.x),
                                             static_cast<float>(lightDirection.y),
                                             static_cast<float>(lightDirection.z), 0.0f);
    GlExtensions::glBindProgramARB(GL_VERTEX_PROGRAM_ARB, GlExtensions::vertexProgram);
    glEnable(GL_VERTEX_PROGRAM_ARB);

    if (celShading) {
        GlExtensions::glActiveTextureARB(GL_TEXTURE0_ARB);
        glBindTexture(GL_TEXTURE_1D, GlExtensions::shadingRamp);
        glEnable(GL_TEXTURE_1D);
    }

    animate();

    bool sendTextureCoords = false;
    for (const Mesh& mesh : meshes) {
        if (mesh.material < 0) {
            // No material: white, with whatever texture the previous mesh left bound.
            glColor3f(1.0f, 1.0f, 1.0f);
        } else {
            const Material& material = materials[mesh.material];
            glColor3f(material.ambient[0], material.ambient[1], material.ambient[2]);
            if (material.texture == 0) {
                glDisable(GL_TEXTURE_2D);
            } else {
                GlExtensions::glActiveTextureARB(GL_TEXTURE1_ARB);
                glBindTexture(GL_TEXTURE_2D, material.texture);
                glEnable(GL_TEXTURE_2D);
                sendTextureCoords = true;
            }
        }
        drawMeshTriangles(mesh, sendTextureCoords);
    }

    glDisable(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_1D);
    glDisable(GL_VERTEX_PROGRAM_ARB);
    GlExtensions::glActiveTextureARB(GL_TEXTURE0_ARB);

    if (outline) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glPolygonMode(GL_BACK, GL_LINE);
        glLineWidth(3.0f);
        glEnable(GL_CULL_FACE);
        glCullFace(GL_FRONT);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glColor3f(0.0f, 0.0f, 0.0f);
        for (const Mesh& mesh : meshes) {
            drawMeshTriangles(mesh, false);
            glDisable(GL_TEXTURE_1D);
        }
    }

    glPopAttrib();
}
